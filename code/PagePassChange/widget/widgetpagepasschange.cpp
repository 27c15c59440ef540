#include "widgetpagepasschange.h"
#include "ui_widgetpagepasschange.h"

#include "corehub.h"
#include "hintbubble.h"
#include "resource.h"
#include "trace.h"

#include <QKeyEvent>
#include <QRect>

namespace {
const int bubbleWidth = 180;
const int bubbleHeight = 50;
const int bubbleIndent = 2;
} // namespace

WidgetPagePassChange::WidgetPagePassChange(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPagePassChange)
{
    ui->setupUi(this);
    initData();
}

WidgetPagePassChange::~WidgetPagePassChange()
{
    disconnect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    disconnect(ui->bt_save, SIGNAL(on_click()), this, SLOT(on_saveClick()));
    delete ui;
}

void WidgetPagePassChange::initData()
{
    for (EntryField* field : {ui->input_pwd, ui->input_new_pwd1, ui->input_new_pwd2}) {
        field->lineEdit()->setEchoMode(QLineEdit::Password);
        field->setBgText(QObject::tr("请输入密码"));
    }
    const QString rest = Resource::getResPath(33);
    const QString over = Resource::getResPath(34);
    const QString pressed = Resource::getResPath(35);
    ui->bt_cancel->setVisible(false);
    ui->bt_cancel->setCaption(QObject::tr("取消"));
    ui->bt_cancel->setStateImages(rest, over, pressed);
    ui->bt_save->setCaption(QObject::tr("保存"));
    ui->bt_save->setStateImages(rest, over, pressed);
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_save, SIGNAL(on_click()), this, SLOT(on_saveClick()));
}

void WidgetPagePassChange::showToolTip(QWidget* anchor, const QString& text)
{
    if (!anchor || text.isEmpty())
        return;
    const QPoint at = anchor->mapTo(this, QPoint(0, 0));
    HintBubble::showText(this, QRect(at.x() + bubbleIndent, at.y() + anchor->height() / 2, bubbleWidth, bubbleHeight),
                         text);
}

void WidgetPagePassChange::on_cancelClick()
{
}

// The first failing check speaks; the comparisons are exact, letter case included.
bool WidgetPagePassChange::checkEntries(const QString& old, const QString& fresh, const QString& repeat)
{
    if (old.isEmpty()) {
        showToolTip(ui->input_pwd, QObject::tr("请输入原密码!"));
        return false;
    }
    if (fresh.isEmpty()) {
        showToolTip(ui->input_new_pwd1, QObject::tr("请输入新密码!"));
        return false;
    }
    if (repeat.isEmpty()) {
        showToolTip(ui->input_new_pwd2, QObject::tr("请再次输入新密码!"));
        return false;
    }
    if (fresh != repeat) {
        showToolTip(ui->input_new_pwd2, QObject::tr("确认密码与新密码不一致!"));
        return false;
    }
    if (fresh == old) {
        showToolTip(ui->input_new_pwd1, QObject::tr("新密码不能与原密码一样!"));
        return false;
    }
    return true;
}

void WidgetPagePassChange::on_saveClick()
{
    const QString old = ui->input_pwd->lineEdit()->text();
    const QString fresh = ui->input_new_pwd1->lineEdit()->text();
    const QString repeat = ui->input_new_pwd2->lineEdit()->text();
    HintBubble::clearAll();
    ui->prompt->setText(QString());
    if (!checkEntries(old, fresh, repeat))
        return;
    CoreHub* hub = Msg();
    // Nothing was sent, so nothing would ever enable the page again: it stays usable.
    if (!hub) {
        ui->prompt->setText(QObject::tr("连接消息中心失败!!!"));
        return;
    }
    setEnabled(false);
    connect(hub, SIGNAL(onNsCheckPwd(QString,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsCheckPwd(QString,CloudGate::ns_ret_code,QString)));
    hub->nsCheckPwd(hub->nsToken(), old, CoreHub::version(), hub->LanguageString());
}

// The reply's token is not the access token: the reset goes out with the cached one.
void WidgetPagePassChange::on_NsCheckPwd(const QString& token, const CloudGate::ns_ret_code& returnCode,
                                         const QString& returnMsg)
{
    Q_UNUSED(token)
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsCheckPwd(QString,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsCheckPwd(QString,CloudGate::ns_ret_code,QString)));
    QLOG << "code=" << returnCode.code << "retCode=" << returnCode.retCode;
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        if (returnCode.code == CloudGate::NS_RET_ACCOUNT_LOCKED || returnCode.code == CloudGate::NS_RET_BAD_PASSWORD)
            showToolTip(ui->input_pwd, returnCode.retMsg);
        else
            ui->prompt->setText(returnCode.retMsg);
        setEnabled(true);
        return;
    }
    connect(hub, SIGNAL(onNsResetPwd(CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsResetPwd(CloudGate::ns_ret_code,QString)));
    hub->nsResetPwd(hub->nsToken(), ui->input_new_pwd1->lineEdit()->text(), CoreHub::version(),
                    hub->LanguageString());
}

void WidgetPagePassChange::on_NsResetPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    setEnabled(true);
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsResetPwd(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsResetPwd(CloudGate::ns_ret_code,QString)));
    QLOG << "code=" << returnCode.code << "retCode=" << returnCode.retCode;
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        ui->prompt->setText(returnCode.retMsg);
        return;
    }
    for (EntryField* field : {ui->input_pwd, ui->input_new_pwd1, ui->input_new_pwd2})
        field->lineEdit()->setText(QString());
    ui->prompt->setText(QObject::tr("保存成功."));
}

void WidgetPagePassChange::keyPressEvent(QKeyEvent* event)
{
    if (!event)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        on_saveClick();
    QWidget::keyPressEvent(event);
}
