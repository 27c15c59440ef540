#include "widgetconfirm.h"
#include "ui_widgetconfirm.h"

#include "tapimages.h"

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
    setTapImages(ui->bt_close, 11);
    setTapImages(ui->bt_cancel, 33);
    setTapImages(ui->bt_ok, 33);
    ui->label_title->setText(QObject::tr("软件更新(确认)"));
    ui->bt_cancel->setCaption(QObject::tr("下次再说"));
    ui->bt_ok->setCaption(QObject::tr("立即升级"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

void WidgetConfirm::setData(const QString& current, const QString& appVersion, const bool& isGoUp,
                            const QString& appUrl, const QString& appVerContent)
{
    Q_UNUSED(isGoUp)
    ui->label_text->setText(QObject::tr("发现新版本,是否更新?(当前:%1,最新:%2)").arg(current, appVersion));
    ui->label_description->setText(appVerContent);
    m_url = appUrl;
    ui->bt_ok->setEnabled(!m_url.isEmpty());
}

void WidgetConfirm::on_closeClick()
{
    emit onClose();
}

void WidgetConfirm::on_cancelClick()
{
    emit onClose();
}

void WidgetConfirm::on_okClick()
{
    ui->bt_ok->setEnabled(false);
    if (m_url.isEmpty())
        return;
    emit onNext(m_url);
    ui->bt_ok->setEnabled(true);
}
