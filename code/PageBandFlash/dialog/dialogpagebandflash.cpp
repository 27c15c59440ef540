#include "dialogpagebandflash.h"
#include "ui_dialogpagebandflash.h"

#include "wizardframe.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
enum TAB { TAB_CHECK = 0, TAB_CONFIRM = 1, TAB_DOWNLOAD = 2, TAB_END = 4 };
}

DialogPageBandFlash::DialogPageBandFlash(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags())
    , ui(new Ui::DialogPageBandFlash)
{
    ui->setupUi(this);
    m_frame = new WizardFrame(this, ui->tabWidget);
    ui->tab_uncompress->setTitle(QObject::tr("固件更新(解压)"));
    ui->tab_end->setTexts(tr("固件更新(结束)"), tr("固件升级成功."), tr("固件升级失败,请稍后重试!!!"));
    m_frame->wire({ui->tab_check, ui->tab_confirm, ui->tab_download, ui->tab_uncompress, ui->tab_end});
    connect(ui->tab_check, SIGNAL(onNext(quint16,quint16,QByteArray)), this,
            SLOT(on_CheckNext(quint16,quint16,QByteArray)));
    connect(ui->tab_confirm, SIGNAL(onNext(QByteArray)), this, SLOT(on_ConfirmNext(QByteArray)));
    connect(ui->tab_download, SIGNAL(onNext(bool)), this, SLOT(on_DownloadNext(bool)));
    connect(ui->tab_uncompress, SIGNAL(onNext(bool)), this, SLOT(on_uncompress(bool)));
}

DialogPageBandFlash::~DialogPageBandFlash()
{
    delete m_frame;
    delete ui;
}

// The band's firmware does not depend on a pending program update: the check always starts.
bool DialogPageBandFlash::setMsg(CoreHub* msg)
{
    Attribute::setMsg(msg);
    ui->tab_check->setMsg(msg);
    ui->tab_download->setMsg(msg);
    ui->tab_uncompress->setMsg(msg);
    if (!msg)
        return false;
    ui->tab_check->start();
    return true;
}

void DialogPageBandFlash::mousePressEvent(QMouseEvent* event)
{
    m_frame->press(event);
    QDialog::mousePressEvent(event);
}

void DialogPageBandFlash::mouseReleaseEvent(QMouseEvent* event)
{
    m_frame->release(event);
    QDialog::mouseReleaseEvent(event);
}

void DialogPageBandFlash::mouseMoveEvent(QMouseEvent* event)
{
    m_frame->move(event);
    QDialog::mouseMoveEvent(event);
}

void DialogPageBandFlash::closeEvent(QCloseEvent* event)
{
    ui->tab_check->end();
    emit onClose();
    QDialog::closeEvent(event);
}

// Esc would only hide the dialog: the check's link would stay up and the window would keep a
// hidden wizard that the help menu can no longer bring back.
void DialogPageBandFlash::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogPageBandFlash::on_Close()
{
    emit onClose();
    close();
}

void DialogPageBandFlash::on_CheckNext(quint16 currentVersion, quint16 upgradeVersion, QByteArray data)
{
    ui->tab_confirm->setData(currentVersion, upgradeVersion, data);
    m_frame->showTab(TAB_CONFIRM);
}

void DialogPageBandFlash::on_ConfirmNext(QByteArray data)
{
    ui->tab_download->start(data);
    m_frame->showTab(TAB_DOWNLOAD);
}

void DialogPageBandFlash::on_DownloadNext(bool state)
{
    ui->tab_end->setResult(state);
    m_frame->showTab(TAB_END);
}

void DialogPageBandFlash::on_uncompress(bool state)
{
    ui->tab_end->setResult(state);
    m_frame->showTab(TAB_END);
}
