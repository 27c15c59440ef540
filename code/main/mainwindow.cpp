#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "corehub.h"
#include "noticebox.h"
#include "pageabout.h"
#include "pagedriversetup.h"
#include "pageenrol.h"
#include "pageframe.h"
#include "pagemenu.h"
#include "pagerecover.h"
#include "pageselfrefresh.h"
#include "pagesignin.h"
#include "trace.h"
#ifndef QUORIN_CONSOLE
#include "pagebandflash.h"
#endif

#include <QCursor>
#include <QDateTime>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QMouseEvent>
#include <QTimer>

namespace {

const Resource::ID ICON_WINDOW = 2;
const Resource::ID ICON_SOFT_UPDATE = 86;
const Resource::ID ICON_FIRM_UPDATE = 88;
const Resource::ID ICON_DEVICE_INSTALL = 89;

const int HELP_SOFT_UPDATE = 0x101;
const int HELP_FIRM_UPDATE = 0x103;
const int HELP_DEVICE_INSTALL = 0x104;

// Title-bar actions as the bar numbers them.
const int TOP_MIN = 1;
const int TOP_CLOSE = 2;
const int TOP_HELP = 3;

const int EXIT_CONFIRMED = 1;
const int MENU_WIDTH = 160;
// The hub answers every adapter command within its own time-out; this only guards the loop.
const int DISCONNECT_WAIT_MS = 10000;
// Today and the ten days before it.
const int UPDATE_DAYS = 11;
const QPoint NO_DRAG(-1, -1);

QPoint roundedGlobalPos(const QMouseEvent* event)
{
    return event->screenPos().toPoint();
}

} // namespace

MainWindow::MainWindow(CoreHub* msg, QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    Attribute::setMsg(msg);
    setWindowIcon(QIcon(Resource::getResPath(ICON_WINDOW)));
    setWindowFlags(Qt::FramelessWindowHint);
    on_Login();

    m_top = new PageHeader(nullptr);
    m_top->setMsg(msg);
    connect(m_top, &PageHeader::onTopState, this, &MainWindow::on_TopState);
    auto* head = new QHBoxLayout();
    head->setContentsMargins(0, 0, 0, 0);
    head->setSpacing(0);
    head->addWidget(m_top);
    ui->widget_head->setLayout(head);
}

// The hub belongs to whoever made the window; the window never deletes it.
MainWindow::~MainWindow()
{
    // The popups have no parent, so they do not go with the window.
    delete m_softUpdate;
#ifndef QUORIN_CONSOLE
    delete m_firmUpdate;
#endif
    delete m_deviceInstall;
    if (Msg() && !Msg()->nsToken().isEmpty())
        recordLogout();
    signOut();
    disconnect(m_top, &PageHeader::onTopState, this, &MainWindow::on_TopState);
    delete ui;
}

bool MainWindow::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void MainWindow::on_TopState(const WidgetTop::STATE& state)
{
    switch (int(state)) {
    case TOP_MIN:
        showMinimized();
        return;
    case TOP_CLOSE:
        askExit();
        return;
    case TOP_HELP:
        openHelp();
        return;
    default:
        return;
    }
}

void MainWindow::askExit()
{
    if (Msg() && !Msg()->nsToken().isEmpty()) {
        NoticeBox prompt(this);
        prompt.setText(QObject::tr("提示信息"), QObject::tr("确定退出系统?"), QObject::tr("退出请点击确定,否则点击取消"),
                       QObject::tr("取消"), QObject::tr("确定"));
        prompt.move(ui->widget_body->mapToGlobal(QPoint(0, 0)) + QPoint(200, 100));
        if (prompt.exec() != EXIT_CONFIRMED)
            return;
    }
    close();
}

void MainWindow::openHelp()
{
    m_help = new PageAbout(this);
    const QPoint cursor = QCursor::pos();
    m_help->move(cursor.x() - m_help->width() + 15, cursor.y());
    const int code = m_help->exec();
    m_help->deleteLater();
    m_help = nullptr;
    on_helpExec(code);
}

void MainWindow::on_helpExec(const int& type)
{
    QLOG << "type=" << type;
    switch (type) {
    case HELP_SOFT_UPDATE:
        if (m_softUpdate) {
            m_softUpdate->setFocus(Qt::OtherFocusReason);
            return;
        }
        m_softUpdate = new PageSelfRefresh(nullptr);
        connect(m_softUpdate, &PageSelfRefresh::onClose, this, &MainWindow::on_softUpdateClose);
        m_softUpdate->setMsg(Msg());
        showPopup(m_softUpdate, QObject::tr("软件更新"), ICON_SOFT_UPDATE);
        return;
#ifndef QUORIN_CONSOLE
    case HELP_FIRM_UPDATE:
        if (m_firmUpdate) {
            m_firmUpdate->setFocus(Qt::OtherFocusReason);
            return;
        }
        m_firmUpdate = new PageBandFlash(nullptr);
        connect(m_firmUpdate, &PageBandFlash::onClose, this, &MainWindow::on_firmUpdateClose);
        m_firmUpdate->setMsg(Msg());
        showPopup(m_firmUpdate, QObject::tr("固件更新"), ICON_FIRM_UPDATE);
        return;
#endif
    case HELP_DEVICE_INSTALL:
        if (m_deviceInstall) {
            m_deviceInstall->setFocus(Qt::OtherFocusReason);
            return;
        }
        m_deviceInstall = new PageDriverSetup(nullptr);
        connect(m_deviceInstall, &PageDriverSetup::onClose, this, &MainWindow::on_deviceInstallClose);
        showPopup(m_deviceInstall, QObject::tr("安装驱动"), ICON_DEVICE_INSTALL);
        return;
    default:
        return;
    }
}

void MainWindow::showPopup(QWidget* popup, const QString& title, const Resource::ID& icon)
{
    popup->setWindowTitle(title);
    popup->setWindowIcon(QIcon(Resource::getResPath(icon)));
    popup->move(pos() + QPoint((width() - popup->width()) / 2, (height() - popup->height()) / 2));
    popup->show();
}

#ifndef QUORIN_CONSOLE
void MainWindow::on_firmUpdateClose()
{
    if (!m_firmUpdate)
        return;
    disconnect(m_firmUpdate, &PageBandFlash::onClose, this, &MainWindow::on_firmUpdateClose);
    m_firmUpdate->deleteLater();
    m_firmUpdate = nullptr;
}
#endif

void MainWindow::on_softUpdateClose()
{
    if (!m_softUpdate)
        return;
    disconnect(m_softUpdate, &PageSelfRefresh::onClose, this, &MainWindow::on_softUpdateClose);
    m_softUpdate->deleteLater();
    m_softUpdate = nullptr;
}

void MainWindow::on_deviceInstallClose()
{
    if (!m_deviceInstall)
        return;
    disconnect(m_deviceInstall, &PageDriverSetup::onClose, this, &MainWindow::on_deviceInstallClose);
    m_deviceInstall->deleteLater();
    m_deviceInstall = nullptr;
}

QGridLayout* MainWindow::bodyLayout()
{
    auto* layout = qobject_cast<QGridLayout*>(ui->widget_body->layout());
    if (layout)
        return layout;
    layout = new QGridLayout();
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ui->widget_body->setLayout(layout);
    return layout;
}

void MainWindow::dropPage(QGridLayout* layout, QWidget* page)
{
    layout->removeWidget(page);
    page->close();
    page->deleteLater();
}

void MainWindow::on_Login()
{
    QGridLayout* layout = bodyLayout();
    if (m_register)
        disconnect(m_register, &PageEnrol::onLogin, this, &MainWindow::on_Login);
    if (m_getPwd)
        disconnect(m_getPwd, &PageRecover::onLogin, this, &MainWindow::on_Login);
    if (m_navigate && m_body) {
        disconnect(m_navigate, &PageMenu::onItemChanged, m_body, &PageFrame::on_NavigateItemChanged);
        disconnect(m_navigate, &PageMenu::onLogout, this, &MainWindow::on_Logout);
    }
    if (!m_login) {
        m_login = new PageSignIn(nullptr);
        m_login->setAutoLogin(m_autoLogin);
        connect(m_login, &PageSignIn::onLoginSuccess, this, &MainWindow::on_LoginSuccess);
        connect(m_login, &PageSignIn::onGetBackPassword, this, &MainWindow::on_getpwd);
        connect(m_login, &PageSignIn::onRegister, this, &MainWindow::on_Register);
        m_login->setMsg(Msg());
    }
    dropRegister(layout);
    if (m_navigate) {
        dropPage(layout, m_navigate);
        m_navigate = nullptr;
    }
    if (m_body) {
        dropPage(layout, m_body);
        m_body = nullptr;
    }
    if (m_getPwd) {
        dropPage(layout, m_getPwd);
        m_getPwd = nullptr;
    }
    layout->addWidget(m_login);
}

void MainWindow::on_Register()
{
    QGridLayout* layout = bodyLayout();
    if (m_login)
        disconnect(m_login, &PageSignIn::onRegister, this, &MainWindow::on_Register);
    if (!m_register) {
        m_register = new PageEnrol(nullptr);
        connect(m_register, &PageEnrol::onLogin, this, &MainWindow::on_Login);
        connect(m_register, &PageEnrol::onRegDone, this, &MainWindow::on_LoginSuccess);
        m_register->setMsg(Msg());
    }
    if (m_login) {
        dropPage(layout, m_login);
        m_login = nullptr;
    }
    layout->addWidget(m_register);
}

// The wizard goes with its signals undone: a late one must not reach the window's new body.
void MainWindow::dropRegister(QGridLayout* layout)
{
    if (!m_register)
        return;
    disconnect(m_register, &PageEnrol::onRegDone, this, &MainWindow::on_LoginSuccess);
    disconnect(m_register, &PageEnrol::onLogin, this, &MainWindow::on_Login);
    dropPage(layout, m_register);
    m_register = nullptr;
}

void MainWindow::on_getpwd()
{
    QGridLayout* layout = bodyLayout();
    if (m_login)
        disconnect(m_login, &PageSignIn::onRegister, this, &MainWindow::on_Register);
    if (!m_getPwd) {
        m_getPwd = new PageRecover(nullptr);
        connect(m_getPwd, &PageRecover::onLogin, this, &MainWindow::on_Login);
        m_getPwd->setMsg(Msg());
    }
    if (m_login) {
        dropPage(layout, m_login);
        m_login = nullptr;
    }
    layout->addWidget(m_getPwd);
}

void MainWindow::on_home()
{
    QGridLayout* layout = bodyLayout();
    if (m_login) {
        disconnect(m_login, &PageSignIn::onLoginSuccess, this, &MainWindow::on_LoginSuccess);
        disconnect(m_login, &PageSignIn::onGetBackPassword, this, &MainWindow::on_getpwd);
        disconnect(m_login, &PageSignIn::onRegister, this, &MainWindow::on_Register);
        dropPage(layout, m_login);
        m_login = nullptr;
    }
    dropRegister(layout);
    if (m_getPwd) {
        disconnect(m_getPwd, &PageRecover::onLogin, this, &MainWindow::on_Login);
        dropPage(layout, m_getPwd);
        m_getPwd = nullptr;
    }
    if (!m_navigate)
        m_navigate = new PageMenu(nullptr);
    if (!m_body)
        m_body = new PageFrame(nullptr);
    m_navigate->setMsg(Msg());
    m_body->setMsg(Msg());
    m_navigate->setMinimumWidth(MENU_WIDTH);
    m_navigate->setMaximumWidth(MENU_WIDTH);
    layout->addWidget(m_navigate, 0, 0);
    layout->addWidget(m_body, 0, 1);
    connect(m_navigate, &PageMenu::onItemChanged, m_body, &PageFrame::on_NavigateItemChanged, Qt::UniqueConnection);
    connect(m_navigate, &PageMenu::onLogout, this, &MainWindow::on_Logout, Qt::UniqueConnection);
}

void MainWindow::on_LoginSuccess()
{
    on_GetBmi();
}

// The home screen waits for the health numbers: the pages behind it read them from the cache.
void MainWindow::on_GetBmi()
{
    CoreHub* hub = Msg();
    QLOG << "this->m_msg=" << hub;
    if (!hub)
        return;
    connect(hub, &CoreHub::onNsGetHealthNum, this, &MainWindow::on_NsGetHealthNum, Qt::UniqueConnection);
    if (hub->nsGetHealthNum(hub->nsToken(), CoreHub::version(), hub->LanguageString()))
        return;
    // Nothing went out, so no answer will give the sign-in page back.
    disconnect(hub, &CoreHub::onNsGetHealthNum, this, &MainWindow::on_NsGetHealthNum);
    if (m_login)
        m_login->enableOperate(true);
}

void MainWindow::on_NsGetHealthNum(CloudGate::ns_get_bmi_detail bmi, CloudGate::ns_ret_code returnCode,
                                   QString returnMsg)
{
    Q_UNUSED(bmi)
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, &CoreHub::onNsGetHealthNum, this, &MainWindow::on_NsGetHealthNum);
    if (returnCode.code == CloudGate::NS_RET_SUCCESS) {
        on_home();
        return;
    }
    QLOG << returnCode.retMsg;
    if (!m_login)
        return;
    m_login->enableOperate(true);
    m_login->showToolTip(CloudGate::NS_RET_CODE_LIST(returnCode.code), returnCode.retMsg);
}

void MainWindow::on_Logout()
{
    recordLogout();
    signOut();
}

void MainWindow::recordLogout()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    LocalVault::userinfo record = hub->fdUserinfo();
    ++record.nLogout;
    record.dt_logout = LocalVault::fdCurDateTime();
    hub->fdSetUserInfo(record);
}

void MainWindow::signOut()
{
    CoreHub* hub = Msg();
    // Whoever signed out must not be signed in again by the page itself.
    m_autoLogin = false;
    on_Login();
    if (hub && hub->isAtConnect())
        waitBandDisconnect();
    if (!hub)
        return;
    // Cleared after the wait: a reply that reached the pages just taken down meanwhile must not
    // leave the signed-out user's bands or days behind.
    hub->setNsBinds({});
    hub->fdClear();
}

// The band is let go before anyone else signs in. The loop ends on the answer, on the adapter's
// removal or at the latest after DISCONNECT_WAIT_MS; an answer that comes at once is not missed.
void MainWindow::waitBandDisconnect()
{
    CoreHub* hub = Msg();
    QLOG << "bcDisConnect start";
    QEventLoop loop;
    bool ended = false;
    const auto end = [&loop, &ended] {
        ended = true;
        loop.quit();
    };
    connect(hub, &CoreHub::onBcDisconn, &loop, end);
    connect(hub, &CoreHub::onUsbUnConn, &loop, end);
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, end);
    limit.start(DISCONNECT_WAIT_MS);
    hub->bcDisConnect();
    if (!ended)
        loop.exec();
    QLOG << "bcDisConnect end";
}

void MainWindow::on_UpdateData()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    const QList<CloudGate::ns_bind_dev> binds = hub->nsBinds();
    if (binds.isEmpty()) {
        QLOG << "no bind device,no need update data.";
        return;
    }
    const CloudGate::ns_bind_dev& band = binds.first();
    const QDate today = QDate::currentDate();
    for (int i = 0; i < UPDATE_DAYS; ++i)
        hub->nsQueryLastData(hub->nsToken(), band.deviceAddress, band.deviceSerial,
                             QDateTime(today.addDays(-i), QTime(0, 0)), CoreHub::version(), hub->LanguageString());
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = roundedGlobalPos(event) - frameGeometry().topLeft();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_dragOffset != NO_DRAG)
        move(roundedGlobalPos(event) - m_dragOffset);
    event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = NO_DRAG;
    event->accept();
}
