#include "dialogpageselfrefresh.h"
#include "ui_dialogpageselfrefresh.h"

#include "corehub.h"
#include "wizardframe.h"

#include <QCloseEvent>

namespace {

enum TAB { TAB_CHECK, TAB_CONFIRM, TAB_DOWNLOAD, TAB_UNCOMPRESS, TAB_END };

} // namespace

DialogPageSelfRefresh::DialogPageSelfRefresh(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags())
    , ui(new Ui::DialogPageSelfRefresh)
{
    ui->setupUi(this);
    m_frame = new WizardFrame(this, ui->tabWidget);
    ui->tab_uncompress->setTitle(QObject::tr("软件更新(解压)"));
    ui->tab_end->setTexts(QObject::tr("软件更新(结束)"), QObject::tr("软件升级成功,重启软件后生效."),
                          QObject::tr("软件升级失败,请稍后重试!!!"));
    m_frame->wire({ui->tab_check, ui->tab_confirm, ui->tab_download, ui->tab_uncompress, ui->tab_end});
    connect(ui->tab_check, SIGNAL(onNext(QString,bool,QString,QString)), this,
            SLOT(on_CheckNext(QString,bool,QString,QString)));
    connect(ui->tab_confirm, SIGNAL(onNext(QString)), this, SLOT(on_ConfirmNext(QString)));
    connect(ui->tab_download, SIGNAL(onNext(QString,QString)), this, SLOT(on_DownloadNext(QString,QString)));
    connect(ui->tab_uncompress, SIGNAL(onNext(bool)), this, SLOT(on_uncompress(bool)));
}

DialogPageSelfRefresh::~DialogPageSelfRefresh()
{
    delete m_frame;
    delete ui;
}

bool DialogPageSelfRefresh::setMsg(CoreHub* msg)
{
    const bool stored = Attribute::setMsg(msg);
    ui->tab_check->setMsg(msg);
    ui->tab_download->setMsg(msg);
    ui->tab_uncompress->setMsg(msg);
    if (!msg)
        return stored;
    // An unpacked update waits for the restart: say so instead of checking again.
    if (!WizardFrame::updatePending(msg)) {
        ui->tab_check->start();
        return stored;
    }
    ui->tab_end->setResult(true);
    m_frame->showTab(TAB_END);
    return stored;
}

void DialogPageSelfRefresh::on_CheckNext(QString appVersion, bool isGoUp, QString appUrl, QString appVerContent)
{
    ui->tab_confirm->setData(CoreHub::version(), appVersion, isGoUp, appUrl, appVerContent);
    m_frame->showTab(TAB_CONFIRM);
}

void DialogPageSelfRefresh::on_ConfirmNext(QString url)
{
    ui->tab_download->setValue(url);
    m_frame->showTab(TAB_DOWNLOAD);
}

void DialogPageSelfRefresh::on_DownloadNext(QString file, QString path)
{
    ui->tab_uncompress->start(file, path);
    m_frame->showTab(TAB_UNCOMPRESS);
}

void DialogPageSelfRefresh::on_uncompress(bool state)
{
    ui->tab_end->setResult(state);
    m_frame->showTab(TAB_END);
}

void DialogPageSelfRefresh::on_Close()
{
    emit onClose();
    close();
}

void DialogPageSelfRefresh::closeEvent(QCloseEvent* event)
{
    emit onClose();
    QDialog::closeEvent(event);
}

void DialogPageSelfRefresh::mousePressEvent(QMouseEvent* event)
{
    m_frame->press(event);
    QDialog::mousePressEvent(event);
}

void DialogPageSelfRefresh::mouseMoveEvent(QMouseEvent* event)
{
    m_frame->move(event);
    QDialog::mouseMoveEvent(event);
}

void DialogPageSelfRefresh::mouseReleaseEvent(QMouseEvent* event)
{
    m_frame->release(event);
    QDialog::mouseReleaseEvent(event);
}
