#include "linewidgetdeviceinfo.h"
#include "ui_linewidgetdeviceinfo.h"

#include "pagewearspot.h"

#include <QDialog>
#include <QVBoxLayout>

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

void LineWidgetDeviceInfo::on_pos_click()
{
    QDialog dialog(this, Qt::Popup | Qt::FramelessWindowHint);
    // Without a hub the chooser's done button sends nothing; a click outside ends the popup.
    auto* chooser = new PageWearSpot(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chooser);
    chooser->setLocal(m_info.pos);
    dialog.exec();
    m_selectPos = nullptr;
    m_info.pos = chooser->devPos();
    ui->bt_pos->setText(WidgetDevicePos::posName(m_info.pos));
}

void LineWidgetDeviceInfo::on_closeSelectPos()
{
    if (!m_selectPos)
        return;
    m_selectPos->close();
    m_selectPos = nullptr;
}
