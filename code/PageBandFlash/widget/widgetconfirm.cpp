#include "widgetconfirm.h"
#include "ui_widgetconfirm.h"

#include "resource.h"

WidgetConfirm::WidgetConfirm(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetConfirm)
{
    ui->setupUi(this);
    initData();
}

WidgetConfirm::~WidgetConfirm()
{
    delete ui;
}

void WidgetConfirm::initData()
{
    ui->bt_close->setStateImages(Resource::getResPath(11), Resource::getResPath(12), Resource::getResPath(13));
    ui->bt_cancel->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->bt_ok->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->label_title->setText(tr("固件更新(确认)"));
    ui->bt_cancel->setCaption(tr("下次再说"));
    ui->bt_ok->setCaption(tr("立即升级"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

void WidgetConfirm::setData(const quint16& current, const quint16& upgrade, const QByteArray& image)
{
    ui->label_text->setText(tr("发现新版本,是否更新?(当前:%1,最新:%2)").arg(current).arg(upgrade));
    // The form's placeholder means nothing to a user: an offered version needs no note.
    ui->label_description->setText(upgrade == 0 ? QStringLiteral("已是最新版本，无需更新") : QString());
    // An empty image has nothing to install.
    ui->bt_ok->setEnabled(upgrade != 0 && !image.isEmpty());
    m_image = image;
    m_handed = true;
}

void WidgetConfirm::on_okClick()
{
    ui->bt_ok->setEnabled(false);
    if (!m_handed)
        return;
    emit onNext(m_image);
    ui->bt_ok->setEnabled(true);
}

void WidgetConfirm::on_closeClick()
{
    emit onClose();
}

void WidgetConfirm::on_cancelClick()
{
    emit onClose();
}
