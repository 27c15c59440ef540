#include "widgetregister.h"
#include "ui_widgetregister.h"

#include "corehub.h"
#include "hintbubble.h"
#include "resource.h"
#include "trace.h"

#include <QRect>
#include <QTabBar>
#include <QTimer>

namespace {

const char* const VC_SIGNAL = SIGNAL(onNsVC(CloudGate::ns_ret_code,QString));
const char* const VC_SLOT = SLOT(on_NsVC(CloudGate::ns_ret_code,QString));
const char* const IS_VC_SIGNAL = SIGNAL(onNsIsVC(QString,CloudGate::ns_ret_code,QString));
const char* const IS_VC_SLOT = SLOT(on_NsIsVC(QString,CloudGate::ns_ret_code,QString));
const char* const REGISTER_SIGNAL = SIGNAL(onNsRegister(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));
const char* const REGISTER_SLOT = SLOT(on_NsRegister(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));
const char* const LOGIN_SIGNAL = SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));
const char* const LOGIN_SLOT = SLOT(on_NsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));

const Resource::ID BACKGROUND = 5;
const int COUNTDOWN_SECONDS = 60;
const int TICK_MS = 1000;
const int SHORTEST_CODE = 4;
const int BUBBLE_HEIGHT = 50;
const int FIELD_DX = 10;
const int FIELD_WIDTH = 180;

} // namespace

WidgetRegister::WidgetRegister(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetRegister)
{
    ui->setupUi(this);
    initData();
}

WidgetRegister::~WidgetRegister()
{
    connectControls(false);
    if (CoreHub* hub = Msg()) {
        disconnect(hub, VC_SIGNAL, this, VC_SLOT);
        disconnect(hub, IS_VC_SIGNAL, this, IS_VC_SLOT);
        disconnect(hub, REGISTER_SIGNAL, this, REGISTER_SLOT);
    }
    delete ui;
}

void WidgetRegister::initData()
{
    vcTimer = nullptr;
    ui->tabWidget->tabBar()->hide();
    Resource::updateBackground(this, Resource::getResPath(BACKGROUND));
    ui->input_user->setRegExp(WidgetLineEdit::REG_MOBILE);
    ui->input_user->setBgText(QObject::tr("手机号码"));
    ui->input_password->setBgText(QObject::tr("密码"));
    ui->input_password->lineEdit()->setEchoMode(QLineEdit::Password);
    ui->input_vc->setBgText(QObject::tr("请输验证码"));
    ui->bt_protocol->setMaximumHeight(20);
    ui->bt_protocol->setCaption(QObject::tr("我已阅读并接受《Tarnwell协议》"));
    ui->bt_protocol->setCaptionColor(QColor(5, 8, 7, 255));
    ui->bt_protocol->setCursor(Qt::PointingHandCursor);
    ui->bt_go_login->setText(QObject::tr("已有帐号,立即登录"));
    ui->bt_go_login->setAlignment(Qt::AlignCenter);
    ui->bt_go_login->setCursor(Qt::PointingHandCursor);
    ui->page_bt_protocol_back->setCursor(Qt::PointingHandCursor);
    ui->page_bt_protocol_back->setStateImages(Resource::getResPath(27), Resource::getResPath(28),
                                              Resource::getResPath(29));
    initSteps();
    QFont registerFont = ui->bt_register->font();
    registerFont.setPointSize(16);
    ui->bt_register->setFont(registerFont);
    ui->bt_register->setCaption(QObject::tr("注册"));
    QFont vcFont = ui->bt_vc->font();
    vcFont.setPointSize(10);
    ui->bt_vc->setFont(vcFont);
    ui->bt_vc->setCaption(QObject::tr("获取验证码"));
    ui->bt_vc->setStateImages(Resource::getResPath(20), Resource::getResPath(21), Resource::getResPath(22));
    ui->bt_register->setStateImages(Resource::getResPath(17), Resource::getResPath(18), Resource::getResPath(19));
    connectControls(true);
}

void WidgetRegister::connectControls(const bool& connected)
{
    struct wire {
        QObject* sender;
        const char* signal;
        const char* slot;
    };
    const wire wires[] = {
        {ui->bt_vc, SIGNAL(on_click()), SLOT(on_getVcClick())},
        {ui->bt_register, SIGNAL(on_click()), SLOT(on_registerClick())},
        {ui->bt_go_login, SIGNAL(on_click()), SLOT(on_goLoginClick())},
        {ui->bt_protocol, SIGNAL(onTextClick()), SLOT(on_goProtocolClick())},
        {ui->page_bt_protocol_back, SIGNAL(on_click()), SLOT(on_goPageProtocolBackClick())},
        {ui->page_bt_info_next, SIGNAL(on_click()), SLOT(on_goPageInfoNextClick())},
        {ui->bt_info_male, SIGNAL(onChanged(bool)), SLOT(on_infoMaleChanged(bool))},
        {ui->bt_info_female, SIGNAL(onChanged(bool)), SLOT(on_infoFemaleChanged(bool))},
        {ui->page_bt_sport_back, SIGNAL(on_click()), SLOT(on_goPageSportBackClick())},
        {ui->page_bt_sport_next, SIGNAL(on_click()), SLOT(on_goPageSportNextClick())},
        {ui->page_bt_bind_next, SIGNAL(on_click()), SLOT(on_PageBindNext())},
    };
    for (const wire& w : wires) {
        if (connected)
            connect(w.sender, w.signal, this, w.slot);
        else
            disconnect(w.sender, w.signal, this, w.slot);
    }
}

bool WidgetRegister::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    // The pairing page scans from now on, while the account is still being made.
    ui->w_bind->setMsg(msg);
    ui->widget_trget->Attribute::setMsg(msg);
    return result;
}

void WidgetRegister::goPage(const int& step)
{
    HintBubble::clearAll();
    watchBindList(step == STEP_BIND);
    switch (step) {
    case STEP_REGISTER:
    case STEP_PROTOCOL:
    case STEP_BIND:
    case STEP_INFO:
        ui->tabWidget->setCurrentIndex(step);
        return;
    case STEP_SPORT:
        openSportStep();
        return;
    case STEP_DONE:
        emit onRegDone();
        return;
    default:
        return;
    }
}

// The binding step is left alone: it has no way back, and its pairing page guards itself.
void WidgetRegister::enableOperate(const bool& enable)
{
    QWidget* const controls[] = {ui->input_user,        ui->input_password,    ui->input_vc,
                                 ui->bt_vc,             ui->bt_register,       ui->bt_protocol,
                                 ui->input_info_name,   ui->img_info_sex,      ui->bt_info_male,
                                 ui->bt_info_female,    ui->input_info_age,    ui->input_info_height,
                                 ui->input_info_weight, ui->page_bt_info_next, ui->page_bt_sport_back,
                                 ui->page_bt_sport_next, ui->widget_trget};
    for (QWidget* control : controls)
        control->setEnabled(enable);
}

void WidgetRegister::enableCodeRequest(const bool& enable)
{
    ui->bt_vc->setEnabled(enable);
    ui->input_user->setEnabled(enable);
}

void WidgetRegister::showTip(QWidget* anchor, const int& dx, const int& width, const QString& text)
{
    if (text.isEmpty())
        return;
    const QPoint at = anchor->parentWidget()->mapTo(this, anchor->pos());
    HintBubble::showText(this, QRect(at.x() + dx, at.y() + anchor->height() / 2, width, BUBBLE_HEIGHT), text);
}

// Only a wrong code and a number already taken have a field to stand at.
void WidgetRegister::showCodeTip(const CloudGate::ns_ret_code& code)
{
    if (code.code == CloudGate::NS_RET_BAD_VC)
        showTip(ui->widget_vc, FIELD_DX, FIELD_WIDTH, code.retMsg);
    else if (code.code == CloudGate::NS_RET_MOBILE_TAKEN)
        showTip(ui->input_user, FIELD_DX, FIELD_WIDTH, code.retMsg);
}

void WidgetRegister::on_getVcClick()
{
    HintBubble::clearAll();
    const QString mobile = ui->input_user->lineEdit()->text();
    if (mobile.isEmpty()) {
        showTip(ui->input_user, FIELD_DX, FIELD_WIDTH, QObject::tr("请输入手机号码!!!"));
        return;
    }
    CoreHub* hub = Msg();
    if (!hub)
        return;
    enableCodeRequest(false);
    connect(hub, VC_SIGNAL, this, VC_SLOT, Qt::UniqueConnection);
    if (hub->nsVC(mobile, CloudGate::NS_VC_REGISTER))
        return;
    disconnect(hub, VC_SIGNAL, this, VC_SLOT);
    enableCodeRequest(true);
}

void WidgetRegister::on_NsVC(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, VC_SIGNAL, this, VC_SLOT);
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        showCodeTip(returnCode);
        enableCodeRequest(true);
        return;
    }
    stopCountdown();
    vcTimer = new QTimer(this);
    vcCount = COUNTDOWN_SECONDS;
    connect(vcTimer, SIGNAL(timeout()), this, SLOT(on_timerOut()));
    vcTimer->start(TICK_MS);
}

void WidgetRegister::stopCountdown()
{
    if (!vcTimer)
        return;
    vcTimer->stop();
    vcTimer->deleteLater();
    vcTimer = nullptr;
}

void WidgetRegister::on_timerOut()
{
    vcCount -= 1;
    ui->bt_vc->setCaption(QString("%1").arg(vcCount));
    if (vcCount > 0)
        return;
    stopCountdown();
    ui->bt_vc->setCaption(QObject::tr("获取验证码"));
    enableCodeRequest(true);
}

void WidgetRegister::on_registerClick()
{
    HintBubble::clearAll();
    const QString mobile = ui->input_user->lineEdit()->text();
    const QString code = ui->input_vc->lineEdit()->text();
    if (mobile.isEmpty()) {
        showTip(ui->input_user, FIELD_DX, FIELD_WIDTH, QObject::tr("请输入手机号码!!!"));
        return;
    }
    if (ui->input_password->lineEdit()->text().isEmpty()) {
        showTip(ui->input_password, FIELD_DX, FIELD_WIDTH, QObject::tr("请输入密码"));
        return;
    }
    if (code.isEmpty()) {
        showTip(ui->widget_vc, FIELD_DX, FIELD_WIDTH, QObject::tr("请输入验证码!!!"));
        return;
    }
    if (code.size() < SHORTEST_CODE) {
        showTip(ui->widget_vc, FIELD_DX, FIELD_WIDTH, QObject::tr("验证码不能少于4位!!!"));
        return;
    }
    if (!ui->bt_protocol->checked()) {
        showTip(ui->bt_protocol, 0, FIELD_WIDTH, QObject::tr("需要同意《Tarnwell协议》!!!"));
        return;
    }
    CoreHub* hub = Msg();
    if (!hub)
        return;
    enableOperate(false);
    connect(hub, IS_VC_SIGNAL, this, IS_VC_SLOT, Qt::UniqueConnection);
    if (hub->nsIsVC(mobile, CloudGate::NS_VC_REGISTER, code))
        return;
    disconnect(hub, IS_VC_SIGNAL, this, IS_VC_SLOT);
    enableOperate(true);
}

void WidgetRegister::on_NsIsVC(const QString& token, const CloudGate::ns_ret_code& returnCode,
                               const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, IS_VC_SIGNAL, this, IS_VC_SLOT);
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        showCodeTip(returnCode);
        enableOperate(true);
        return;
    }
    // The token of the code check is what authorises the registration.
    connect(hub, REGISTER_SIGNAL, this, REGISTER_SLOT, Qt::UniqueConnection);
    if (hub->nsRegister(ui->input_user->lineEdit()->text(), ui->input_password->lineEdit()->text(), token,
                        hub->appKey(), CoreHub::appSysType(), QString(), CoreHub::version(), hub->LanguageString()))
        return;
    disconnect(hub, REGISTER_SIGNAL, this, REGISTER_SLOT);
    enableOperate(true);
}

void WidgetRegister::on_NsRegister(const QString& accessToken, const CloudGate::ns_account& account,
                                   const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(accessToken)
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, REGISTER_SIGNAL, this, REGISTER_SLOT);
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        enableOperate(true);
        showCodeTip(returnCode);
        return;
    }
    // The new user's data folder, named as the cloud names the account.
    hub->fdSetUserId(account.mobile);
    if (!sendLogin(*hub, LOGIN_SLOT))
        enableOperate(true);
}

// The sign-in with the typed number and password, after the account was made and at the finish.
bool WidgetRegister::sendLogin(CoreHub& hub, const char* slot)
{
    connect(&hub, LOGIN_SIGNAL, this, slot, Qt::UniqueConnection);
    if (hub.nsLogin(ui->input_user->lineEdit()->text(), ui->input_password->lineEdit()->text(), hub.appKey(),
                    CoreHub::appSysType(), QString(), CoreHub::version(), hub.LanguageString()))
        return true;
    disconnect(&hub, LOGIN_SIGNAL, this, slot);
    return false;
}

// The account exists now; a refused sign-in shows at the button the user pressed, on this step.
void WidgetRegister::on_NsLogin(const QString& accessToken, const CloudGate::ns_account& account,
                                const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, LOGIN_SIGNAL, this, LOGIN_SLOT);
    enableOperate(true);
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        QLOG << "sign-in after registration refused:" << returnCode.retCode;
        showTip(ui->bt_register, FIELD_DX, FIELD_WIDTH, returnCode.retMsg);
        return;
    }
    hub->setNsAccount(account);
    hub->setNsToken(accessToken);
    goPage(STEP_BIND);
}

void WidgetRegister::on_goLoginClick()
{
    emit onLogin();
}

void WidgetRegister::on_goProtocolClick()
{
    goPage(STEP_PROTOCOL);
}

void WidgetRegister::on_goPageProtocolBackClick()
{
    goPage(STEP_REGISTER);
}

// The picture is stretched to the size the page has when painted: the window sizes the page
// only after the constructor.
void WidgetRegister::resizeEvent(QResizeEvent* event)
{
    Resource::updateBackground(this, Resource::getResPath(BACKGROUND));
    QWidget::resizeEvent(event);
}
