#include "widgetlogin.h"
#include "ui_widgetlogin.h"

#include "corehub.h"
#include "hintbubble.h"
#include "resource.h"
#include "trace.h"

#include <QColor>
#include <QKeyEvent>
#include <QRect>

#include <cstring>

namespace {
const int bubbleWidth = 180;
const int bubbleHeight = 50;
const int bubbleIndent = 10;

// Puts text into a zero-terminated field of the user record. Text that would come back
// different (outside Latin-1, a NUL inside, no room for the terminator) leaves the field all
// zero and gives false: a remembered password must be the one that was typed.
bool putLatin1(char* field, const int& size, const QString& text)
{
    std::memset(field, 0, size_t(size));
    const QByteArray bytes = text.toLatin1();
    if (text.size() >= size || bytes.contains('\0') || QString::fromLatin1(bytes) != text)
        return false;
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
    return true;
}

QString takeLatin1(const char* field, const int& size)
{
    return QString::fromLatin1(field, int(qstrnlen(field, uint(size))));
}
} // namespace

WidgetLogin::WidgetLogin(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetLogin)
{
    ui->setupUi(this);
    initData();
}

WidgetLogin::~WidgetLogin()
{
    disconnect(ui->bt_login, SIGNAL(on_click()), this, SLOT(on_loginClick()));
    disconnect(ui->bt_reg, SIGNAL(on_click()), this, SLOT(on_registerClick()));
    disconnect(ui->bt_forget_pwd, SIGNAL(on_click()), this, SLOT(on_getpwdClick()));
    delete ui;
}

void WidgetLogin::initData()
{
    Resource::updateBackground(this, Resource::getResPath(7));
    ui->input_user->setRegExp(WidgetLineEdit::REG_MOBILE);
    ui->input_user->setBgText(QObject::tr("手机号码"));
    ui->input_password->setBgText(QObject::tr("密码"));
    ui->input_password->lineEdit()->setEchoMode(QLineEdit::Password);
    ui->bt_mark_pwd->setCaption(QObject::tr("自动登录"));
    ui->bt_mark_pwd->setCaptionColor(QColor(5, 8, 7, 255));
    ui->bt_forget_pwd->setText(QObject::tr("忘记密码?"));
    ui->bt_forget_pwd->setCaptionColor(QColor(27, 195, 217, 255));
    ui->bt_forget_pwd->setCursor(Qt::PointingHandCursor);
    ui->bt_reg->setText(QObject::tr("没有帐号,注册新帐号"));
    ui->bt_reg->setAlignment(Qt::AlignCenter);
    ui->bt_reg->setCursor(Qt::PointingHandCursor);
    QFont font = ui->bt_login->font();
    font.setPointSize(16);
    ui->bt_login->setFont(font);
    ui->bt_login->setCaption(QObject::tr("登录"));
    ui->bt_login->setStateImages(Resource::getResPath(17), Resource::getResPath(18), Resource::getResPath(19));
    connect(ui->bt_login, SIGNAL(on_click()), this, SLOT(on_loginClick()));
    connect(ui->bt_reg, SIGNAL(on_click()), this, SLOT(on_registerClick()));
    connect(ui->bt_forget_pwd, SIGNAL(on_click()), this, SLOT(on_getpwdClick()));
}

void WidgetLogin::setAutoLogin(const bool& enable)
{
    m_autoLogin = enable;
}

bool WidgetLogin::setMsg(CoreHub* msg)
{
    const bool stored = Attribute::setMsg(msg);
    if (!msg)
        return stored;
    fillFields(*msg);
    return stored;
}

void WidgetLogin::fillFields(CoreHub& hub)
{
    const LocalVault::userinfo record = hub.fdUserinfo();
    QLineEdit* user = ui->input_user->lineEdit();
    user->setText(takeLatin1(record.id, int(sizeof(record.id))));
    if (!user->text().isEmpty())
        user->setVisible(true);
    ui->bt_mark_pwd->setChecked(record.markPwd != 0);
    if (!record.markPwd)
        return;
    QLineEdit* password = ui->input_password->lineEdit();
    password->setText(takeLatin1(record.pwd, int(sizeof(record.pwd))));
    if (!password->text().isEmpty())
        password->setVisible(true);
    if (m_autoLogin)
        on_loginClick();
}

void WidgetLogin::enableOperate(const bool& enable)
{
    ui->input_user->setEnabled(enable);
    ui->input_password->setEnabled(enable);
    ui->bt_mark_pwd->setEnabled(enable);
    ui->bt_login->setEnabled(enable);
    ui->bt_forget_pwd->setEnabled(enable);
}

void WidgetLogin::on_getpwdClick()
{
    emit onGetBackPassword();
}

void WidgetLogin::on_registerClick()
{
    emit onRegister();
}

void WidgetLogin::on_loginClick()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    // The button is disabled while a request is out and after success; Return still reaches
    // the page through the register link, and must not send a second sign-in.
    if (!ui->bt_login->isEnabled())
        return;
    HintBubble::clearAll();
    const QString mobile = ui->input_user->lineEdit()->text();
    const QString password = ui->input_password->lineEdit()->text();
    if (mobile.isEmpty())
        showToolTip(CloudGate::NS_RET_BAD_USER_NAME, QObject::tr("手机号码不能为空!!!"));
    if (password.isEmpty())
        showToolTip(CloudGate::NS_RET_BAD_PASSWORD, QObject::tr("密码不能为空!!!"));
    if (mobile.isEmpty() || password.isEmpty())
        return;
    enableOperate(false);
    connect(hub, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)));
    hub->nsLogin(mobile, password, hub->appKey(), CoreHub::appSysType(), QString(), CoreHub::version(),
                 hub->LanguageString());
}

void WidgetLogin::on_NsLogin(const QString& accessToken, const CloudGate::ns_account& account,
                             const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString)));
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        showFailure(returnCode);
        return;
    }
    const QString mobile = ui->input_user->lineEdit()->text();
    saveUserRecord(*hub, mobile);
    hub->setNsToken(accessToken);
    hub->setNsAccount(account);
    selectUser(*hub, mobile);
    connect(hub, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)));
    hub->nsDevBindList(accessToken, CoreHub::version(), hub->LanguageString());
}

void WidgetLogin::saveUserRecord(CoreHub& hub, const QString& mobile)
{
    LocalVault::userinfo record = hub.fdUserinfo();
    if (!putLatin1(record.id, int(sizeof(record.id)), mobile))
        QLOG << "account does not fit the record:" << mobile;
    record.markPwd = ui->bt_mark_pwd->checked() ? 1 : 0;
    if (record.markPwd
        && !putLatin1(record.pwd, int(sizeof(record.pwd)), ui->input_password->lineEdit()->text())) {
        QLOG << "password not remembered: it does not fit the record";
        record.markPwd = 0;
    }
    if (!record.markPwd)
        std::memset(record.pwd, 0, sizeof(record.pwd));
    record.nLogin += 1;
    record.dt_login = LocalVault::fdCurDateTime();
    if (!hub.fdSetUserInfo(record))
        QLOG << "user record not written, the sign-in goes on";
}

// The folder comes from the number that signed in, never from the record read back: after a
// failed record write that would be the previous user's folder.
void WidgetLogin::selectUser(CoreHub& hub, const QString& mobile)
{
    if (!hub.fdSetUserId(mobile)) {
        QLOG << "user data not selected:" << mobile;
        return;
    }
    hub.fdRead();
}

void WidgetLogin::on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices,
                                   const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)));
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        showFailure(returnCode);
        return;
    }
    hub->setNsBinds(devices);
    emit onLoginSuccess();
}

void WidgetLogin::showFailure(const CloudGate::ns_ret_code& returnCode)
{
    enableOperate(true);
    showTipAt(returnCode.code, returnCode.retMsg);
}

void WidgetLogin::showToolTip(const CloudGate::NS_RET_CODE_LIST& code, const QString& text)
{
    showTipAt(code, text);
}

// Takes the code as a plain number: a reply may carry a code outside the table.
void WidgetLogin::showTipAt(const int& code, const QString& text)
{
    QWidget* anchor = ui->bt_login;
    if (code == CloudGate::NS_RET_BAD_USER_NAME)
        anchor = ui->input_user;
    else if (code == CloudGate::NS_RET_BAD_PASSWORD)
        anchor = ui->input_password;
    const QPoint at = ui->widget->mapTo(this, anchor->pos());
    HintBubble::showText(this, QRect(at.x() + bubbleIndent, at.y() + anchor->height() / 2, bubbleWidth, bubbleHeight),
                         text);
}

void WidgetLogin::keyPressEvent(QKeyEvent* event)
{
    if (!event)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        on_loginClick();
    QWidget::keyPressEvent(event);
}

// The picture is stretched to the size the page has when painted: the window gives the page its
// size only after the constructor, so paint it again at every new size.
void WidgetLogin::resizeEvent(QResizeEvent* event)
{
    Resource::updateBackground(this, Resource::getResPath(7));
    QWidget::resizeEvent(event);
}
