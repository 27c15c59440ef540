#include "widgetupdateend.h"
#include "ui_widgetupdateend.h"

#include "resource.h"

WidgetUpdateEnd::WidgetUpdateEnd(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetUpdateEnd)
{
    ui->setupUi(this);
    initData();
}

WidgetUpdateEnd::~WidgetUpdateEnd()
{
    delete ui;
}

void WidgetUpdateEnd::initData()
{
    ui->bt_close->setStateImages(Resource::getResPath(11), Resource::getResPath(12), Resource::getResPath(13));
    ui->bt_ok->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->bt_ok->setCaption(tr("结束"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

void WidgetUpdateEnd::setTexts(const QString& title, const QString& success, const QString& failure)
{
    ui->label_title->setText(title);
    m_success = success;
    m_failure = failure;
}

void WidgetUpdateEnd::setResult(const bool& ok)
{
    ui->label_text->setText(ok ? m_success : m_failure);
}

void WidgetUpdateEnd::on_closeClick()
{
    emit onClose();
}

void WidgetUpdateEnd::on_okClick()
{
    emit onClose();
}
