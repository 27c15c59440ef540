#include "dialogpagebandflash.h"
#include "ui_dialogpagebandflash.h"

#include <QCloseEvent>

DialogPageBandFlash::DialogPageBandFlash(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogPageBandFlash)
{
    ui->setupUi(this);
}

DialogPageBandFlash::~DialogPageBandFlash()
{
    delete ui;
}

bool DialogPageBandFlash::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void DialogPageBandFlash::closeEvent(QCloseEvent* event)
{
    emit onClose();
    QDialog::closeEvent(event);
}
