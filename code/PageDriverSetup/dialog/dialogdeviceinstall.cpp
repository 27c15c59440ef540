#include "dialogdeviceinstall.h"
#include "ui_dialogdeviceinstall.h"

#include <QCloseEvent>

DialogDeviceInstall::DialogDeviceInstall(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogDeviceInstall)
{
    ui->setupUi(this);
}

DialogDeviceInstall::~DialogDeviceInstall()
{
    delete ui;
}

void DialogDeviceInstall::closeEvent(QCloseEvent* event)
{
    emit onClose();
    QDialog::closeEvent(event);
}
