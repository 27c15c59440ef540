#include "widgetunbinddevice.h"
#include "ui_widgetunbinddevice.h"

#include "resource.h"
#include "tapcaption.h"

#include <QMouseEvent>

namespace {

const QPoint kNoDrag(-1, -1);

void setImages(TapCaption* button, const Resource::ID& first)
{
    button->setStateImages(Resource::getResPath(first), Resource::getResPath(first + 1),
                           Resource::getResPath(first + 2));
}

} // namespace

WidgetUnBindDevice::WidgetUnBindDevice(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::WidgetUnBindDevice)
    , m_offset(0, 0)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
    ui->bt_cancel->setCaption(QObject::tr("取消"));
    ui->bt_ok->setCaption(QObject::tr("确定"));
    setImages(ui->bt_close, 11);
    setImages(ui->bt_cancel, 33);
    setImages(ui->bt_ok, 33);
    ui->bt_cancel->setCursor(Qt::PointingHandCursor);
    ui->bt_ok->setCursor(Qt::PointingHandCursor);
}

WidgetUnBindDevice::~WidgetUnBindDevice()
{
    disconnect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    disconnect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    disconnect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
    delete ui;
}

void WidgetUnBindDevice::on_closeClick()
{
    emit onDone(false);
    done(0);
}

void WidgetUnBindDevice::on_cancelClick()
{
    emit onDone(false);
    done(0);
}

void WidgetUnBindDevice::on_okClick()
{
    emit onDone(true);
    done(1);
}

void WidgetUnBindDevice::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_offset = event->globalPos() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void WidgetUnBindDevice::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_offset != kNoDrag)
        move(event->globalPos() - m_offset);
    QDialog::mouseMoveEvent(event);
}

void WidgetUnBindDevice::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_offset = kNoDrag;
    QDialog::mouseReleaseEvent(event);
}
