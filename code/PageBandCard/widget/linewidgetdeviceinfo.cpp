#include "linewidgetdeviceinfo.h"
#include "ui_linewidgetdeviceinfo.h"

LineWidgetDeviceInfo::LineWidgetDeviceInfo(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::LineWidgetDeviceInfo)
{
    ui->setupUi(this);
    // The host's chooser sends the position; a row only shows what the band is bound with.
    ui->gridLayout->removeWidget(ui->bt_pos);
    ui->gridLayout->removeWidget(ui->label_3);
    ui->bt_pos->hide();
    ui->label_3->hide();
}

LineWidgetDeviceInfo::~LineWidgetDeviceInfo()
{
    delete ui;
}

void LineWidgetDeviceInfo::setData(const dev_info& info)
{
    m_info = info;
    ui->label_devadd->setText(info.address);
    ui->label_devnum->setText(info.serial);
    ui->label_date->setText(info.date.toString(QStringLiteral("yyyy-MM-dd")));
    ui->bt_pos->setText(WidgetDevicePos::posName(info.pos));
}

LineWidgetDeviceInfo::dev_info LineWidgetDeviceInfo::getData() const
{
    return m_info;
}
