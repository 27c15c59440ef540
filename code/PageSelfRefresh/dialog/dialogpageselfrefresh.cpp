#include "dialogpageselfrefresh.h"
#include "ui_dialogpageselfrefresh.h"

#include <QCloseEvent>

DialogPageSelfRefresh::DialogPageSelfRefresh(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogPageSelfRefresh)
{
    ui->setupUi(this);
}

DialogPageSelfRefresh::~DialogPageSelfRefresh()
{
    delete ui;
}

bool DialogPageSelfRefresh::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void DialogPageSelfRefresh::closeEvent(QCloseEvent* event)
{
    emit onClose();
    QDialog::closeEvent(event);
}
