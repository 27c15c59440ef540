#include "widgetpagerecover.h"
#include "ui_widgetpagerecover.h"

#include "corehub.h"
#include "hintbubble.h"
#include "resource.h"
#include "trace.h"

#include <QRect>
#include <QTimer>

namespace {
const int bubbleWidth = 180;
const int bubbleHeight = 50;
const int bubbleIndent = 2;
const int countdownSeconds = 60;
const int tickMs = 1000;
const int shortestCode = 4;
} // namespace

WidgetPageRecover::WidgetPageRecover(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageRecover)
{
    ui->setupUi(this);
    initData();
}

WidgetPageRecover::~WidgetPageRecover()
{
    disconnect(ui->bt_vc, SIGNAL(on_click()), this, SLOT(on_getVcClick()));
    disconnect(ui->bt_reset_pwd, SIGNAL(on_click()), this, SLOT(on_resetPwdClick()));
    disconnect(ui->bt_go_login, SIGNAL(on_click()), this, SLOT(on_goLoginClick()));
    delete ui;
}

void WidgetPageRecover::initData()
{
    m_timer = nullptr;
    Resource::updateBackground(this, Resource::getResPath(7));
    ui->input_user->setBgText(QObject::tr("手机号码"));
    ui->input_password->lineEdit()->setEchoMode(QLineEdit::Password);
    ui->input_password->setBgText(QObject::tr("密码"));
    ui->input_vc->setBgText(QObject::tr("请输入验证码"));
    QFont resetFont = ui->bt_reset_pwd->font();
    resetFont.setPointSize(16);
    ui->bt_reset_pwd->setFont(resetFont);
    ui->bt_reset_pwd->setCaption(QObject::tr("设置新密码"));
    QFont vcFont = ui->bt_vc->font();
    vcFont.setPointSize(10);
    ui->bt_vc->setFont(vcFont);
    ui->bt_vc->setCaption(QObject::tr("获取验证码"));
    ui->bt_vc->setStateImages(Resource::getResPath(20), Resource::getResPath(21), Resource::getResPath(22));
    ui->bt_reset_pwd->setStateImages(Resource::getResPath(17), Resource::getResPath(18), Resource::getResPath(19));
    connect(ui->bt_vc, SIGNAL(on_click()), this, SLOT(on_getVcClick()));
    connect(ui->bt_reset_pwd, SIGNAL(on_click()), this, SLOT(on_resetPwdClick()));
    connect(ui->bt_go_login, SIGNAL(on_click()), this, SLOT(on_goLoginClick()));
}

bool WidgetPageRecover::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetPageRecover::enableCodeRequest(const bool& enable)
{
    ui->bt_vc->setEnabled(enable);
    ui->input_user->setEnabled(enable);
}

void WidgetPageRecover::on_getVcClick()
{
    HintBubble::clearAll();
    const QString mobile = ui->input_user->lineEdit()->text();
    if (mobile.isEmpty()) {
        showTip(ui->input_user, QObject::tr("请输入手机号码!!!"));
        return;
    }
    CoreHub* hub = Msg();
    if (!hub)
        return;
    enableCodeRequest(false);
    connect(hub, SIGNAL(onNsVC(CloudGate::ns_ret_code,QString)), this, SLOT(on_NsVC(CloudGate::ns_ret_code,QString)));
    hub->nsVC(mobile, CloudGate::NS_VC_GETBACKPWD);
}

void WidgetPageRecover::on_NsVC(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsVC(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsVC(CloudGate::ns_ret_code,QString)));
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        ui->prompt->setText(returnCode.retMsg);
        enableCodeRequest(true);
        return;
    }
    stopCountdown();
    m_timer = new QTimer(this);
    m_count = countdownSeconds;
    connect(m_timer, SIGNAL(timeout()), this, SLOT(on_timerOut()));
    m_timer->start(tickMs);
}

void WidgetPageRecover::stopCountdown()
{
    if (!m_timer)
        return;
    m_timer->stop();
    m_timer->deleteLater();
    m_timer = nullptr;
}

void WidgetPageRecover::on_timerOut()
{
    m_count -= 1;
    ui->bt_vc->setCaption(QString::number(m_count));
    if (m_count > 0)
        return;
    stopCountdown();
    ui->bt_vc->setCaption(QObject::tr("获取验证码"));
    enableCodeRequest(true);
}

void WidgetPageRecover::on_resetPwdClick()
{
    HintBubble::clearAll();
    const QString code = ui->input_vc->lineEdit()->text();
    if (ui->input_user->lineEdit()->text().isEmpty()) {
        showTip(ui->input_user, QObject::tr("请输入手机号码!!!"));
        return;
    }
    if (ui->input_password->lineEdit()->text().isEmpty()) {
        showTip(ui->input_password, QObject::tr("请输入密码"));
        return;
    }
    if (code.isEmpty()) {
        showTip(ui->input_vc, QObject::tr("请输入验证码!!!"));
        return;
    }
    if (code.size() < shortestCode) {
        showTip(ui->input_vc, QObject::tr("验证码不能少于4位!!!"));
        return;
    }
    CoreHub* hub = Msg();
    if (!hub)
        return;
    setEnabled(false);
    connect(hub, SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsIsVC(QString,CloudGate::ns_ret_code,QString)));
    hub->nsIsVC(ui->input_user->lineEdit()->text(), CloudGate::NS_VC_GETBACKPWD, code);
}

void WidgetPageRecover::on_NsIsVC(const QString& token, const CloudGate::ns_ret_code& returnCode,
                                  const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsIsVC(QString,CloudGate::ns_ret_code,QString)));
    if (returnCode.code == CloudGate::NS_RET_SUCCESS) {
        connect(hub, SIGNAL(onNsGetBackPwd(CloudGate::ns_ret_code,QString)), this,
                SLOT(on_NsGetBackPwd(CloudGate::ns_ret_code,QString)));
        hub->nsGetBackPwd(token, QString(), ui->input_password->lineEdit()->text(), CoreHub::version(),
                          hub->LanguageString());
        return;
    }
    if (returnCode.code == CloudGate::NS_RET_BAD_VC)
        showTip(ui->input_vc, returnCode.retMsg);
    else
        ui->prompt->setText(returnCode.retMsg);
    setEnabled(true);
}

void WidgetPageRecover::on_NsGetBackPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsGetBackPwd(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsGetBackPwd(CloudGate::ns_ret_code,QString)));
    setEnabled(true);
    if (returnCode.code == CloudGate::NS_RET_SUCCESS)
        ui->prompt->setText(QObject::tr("重置密码成功."));
    else
        ui->prompt->setText(returnCode.retMsg);
}

void WidgetPageRecover::on_goLoginClick()
{
    emit onLogin();
}

void WidgetPageRecover::showTip(QWidget* anchor, const QString& text)
{
    if (!anchor || text.isEmpty())
        return;
    // From the anchor itself: the code field sits one level deeper than the other two.
    const QPoint at = anchor->mapTo(this, QPoint(0, 0));
    HintBubble::showText(this, QRect(at.x() + bubbleIndent, at.y() + anchor->height() / 2, bubbleWidth, bubbleHeight),
                         text);
}

// The picture is stretched to the size the page has when painted: the window gives the page its
// size only after the constructor, so paint it again at every new size.
void WidgetPageRecover::resizeEvent(QResizeEvent* event)
{
    Resource::updateBackground(this, Resource::getResPath(7));
    QWidget::resizeEvent(event);
}
