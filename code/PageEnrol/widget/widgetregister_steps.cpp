// The wizard's band, body-data and targets steps and its finish.
#include "widgetregister.h"
#include "ui_widgetregister.h"

#include "corehub.h"
#include "hintbubble.h"
#include "resource.h"
#include "trace.h"

#include <QPixmap>

namespace {

const char* const BIND_LIST_SIGNAL =
    SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString));
const char* const BIND_LIST_SLOT = SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString));
const char* const USER_INFO_SIGNAL = SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString));
const char* const USER_INFO_SLOT = SLOT(on_NsUserInfo(CloudGate::ns_ret_code,QString));
const char* const HEALTH_SIGNAL = SIGNAL(onNsSetHealthNum(CloudGate::ns_ret_code,QString));
const char* const HEALTH_SLOT = SLOT(on_NsSetHealthNum(CloudGate::ns_ret_code,QString));
const char* const LOGIN_SIGNAL = SIGNAL(onNsLogin(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));
const char* const FINAL_LOGIN_SLOT = SLOT(on_NsLogin1(QString,CloudGate::ns_account,CloudGate::ns_ret_code,QString));
const char* const SET_SYNC_SIGNAL = SIGNAL(onSetSync(bool,QString));
const char* const SET_SYNC_SLOT = SLOT(on_PageSportSetSync(bool,QString));

const Resource::ID MALE_PICTURE = 39;
const Resource::ID FEMALE_PICTURE = 41;
const int NICKNAME_LENGTH = 30;
const int REPLIES_PER_SAVE = 2;  // profile and health numbers; step and sleep target

// Pixels right of the anchor's left edge and the bubble's width, per step.
const int BIND_DX = 5;
const int BIND_WIDTH = 140;
const int FIELD_DX = 10;
const int FIELD_WIDTH = 180;
const int INFO_NEXT_DX = 2;
const int SPORT_NEXT_DX = 5;
const int SPORT_NEXT_WIDTH = 200;

// The 16 bits the cloud stores; a text that is no number gives 0.
quint16 figureOf(const QString& text)
{
    return quint16(text.toUInt(nullptr, 10));
}

// A refusal always shows: a code outside the table comes without a message of its own.
QString refusalText(const QString& message)
{
    return message.isEmpty() ? QObject::tr("保存失败!!!") : message;
}

} // namespace

void WidgetRegister::initSteps()
{
    ui->input_info_name->lineEdit()->setMaxLength(NICKNAME_LENGTH);
    ui->input_info_name->setBgText(QObject::tr("请输入呢称(30个字符以内)"));
    const QFont sexFont = [this] {
        QFont font = ui->bt_info_male->font();
        font.setPointSize(10);
        return font;
    }();
    for (TickBox* box : {ui->bt_info_male, ui->bt_info_female}) {
        box->setFont(sexFont);
        box->setImages(36, 38);
        if (box == ui->bt_info_male)
            box->setChecked(true);
        box->setCaptionColor(QColor(179, 179, 179, 255));
    }
    ui->bt_info_male->setCaption(QObject::tr("男"));
    ui->bt_info_female->setCaption(QObject::tr("女"));
    ui->input_info_age->setIntRange(1, 120);
    ui->input_info_age->setBgText(QObject::tr("请输入年龄(1-120岁)"));
    ui->input_info_height->setIntRange(50, 250);
    ui->input_info_height->setBgText(QObject::tr("请输入身高(50-250cm)"));
    ui->input_info_weight->setIntRange(10, 200);
    ui->input_info_weight->setBgText(QObject::tr("请输入体重(10-200kg)"));
    for (TapCaption* next : {ui->page_bt_info_next, ui->page_bt_sport_next}) {
        next->setCursor(Qt::PointingHandCursor);
        next->setStateImages(Resource::getResPath(30), Resource::getResPath(31), Resource::getResPath(32));
    }
    ui->page_bt_sport_back->setCursor(Qt::PointingHandCursor);
    ui->page_bt_sport_back->setStateImages(Resource::getResPath(27), Resource::getResPath(28),
                                           Resource::getResPath(29));
    ui->page_bt_bind_next->setCursor(Qt::PointingHandCursor);
}

// Every bind list heard while the binding step shows goes into the cache: the pairing page asks
// after each unbind and bind, and the last answer is the account's bands.
void WidgetRegister::watchBindList(const bool& watch)
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    if (watch)
        connect(hub, BIND_LIST_SIGNAL, this, BIND_LIST_SLOT, Qt::UniqueConnection);
    else
        disconnect(hub, BIND_LIST_SIGNAL, this, BIND_LIST_SLOT);
}

void WidgetRegister::on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices,
                                      const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        showTip(ui->page_bt_bind_next, BIND_DX, BIND_WIDTH, QObject::tr("绑定设备失败!"));
        return;
    }
    hub->setNsBinds(devices);
}

void WidgetRegister::on_PageBindNext()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    if (!hub->nsBinds().isEmpty()) {
        goPage(STEP_INFO);
        return;
    }
    HintBubble::clearAll();
    showTip(ui->page_bt_bind_next, BIND_DX, BIND_WIDTH, QObject::tr("没有绑定设备!"));
    // A band whose list failed right after its bind is bound in the cloud but not cached, and
    // binding it again is refused: ask for the list, so that the next click finds it.
    hub->nsDevBindList(hub->nsToken(), CoreHub::version(), hub->LanguageString());
}

void WidgetRegister::on_infoMaleChanged(bool state)
{
    ui->bt_info_female->setChecked(!state);
    on_updateInfoSexImg();
}

void WidgetRegister::on_infoFemaleChanged(bool state)
{
    ui->bt_info_male->setChecked(!state);
    on_updateInfoSexImg();
}

void WidgetRegister::on_updateInfoSexImg()
{
    const Resource::ID picture = ui->bt_info_male->checked() ? MALE_PICTURE : FEMALE_PICTURE;
    ui->img_info_sex->setPixmap(QPixmap(Resource::getResPath(picture)));
}

// Every empty field gets its bubble; a field left empty is never sent as its range's minimum.
void WidgetRegister::on_goPageInfoNextClick()
{
    HintBubble::clearAll();
    bool complete = true;
    const QString nickname = ui->input_info_name->text();
    if (nickname.isEmpty()) {
        showTip(ui->input_info_name, FIELD_DX, FIELD_WIDTH, QObject::tr("请输入呢称!!!"));
        complete = false;
    }
    const bool male = ui->bt_info_male->checked();
    const struct {
        EntryField* field;
        QString complaint;
    } figures[] = {{ui->input_info_age, QObject::tr("请输入年龄!!!")},
                   {ui->input_info_height, QObject::tr("请输入身高!!!")},
                   {ui->input_info_weight, QObject::tr("请输入体重!!!")}};
    quint16 values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString text = figures[i].field->text();
        values[i] = figureOf(text);
        if (text.isEmpty()) {
            showTip(figures[i].field, FIELD_DX, FIELD_WIDTH, figures[i].complaint);
            complete = false;
        }
    }
    CoreHub* hub = Msg();
    if (!complete || !hub)
        return;
    enableOperate(false);
    CloudGate::ns_account profile;
    profile.nickname = nickname;
    profile.gender = male;
    profile.age = values[0];
    profile.height = values[1];
    profile.weight = values[2];
    userInfoSaved = false;
    healthSaved = false;
    m_infoAnswers = 0;
    m_infoRefusal.clear();
    connect(hub, USER_INFO_SIGNAL, this, USER_INFO_SLOT, Qt::UniqueConnection);
    connect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT, Qt::UniqueConnection);
    const QString token = hub->nsToken();
    const bool sent = hub->nsUserInfo(token, profile, CoreHub::version(), hub->LanguageString()) &&
                      hub->nsSetHealthNum(token, male, int(profile.age), double(profile.height),
                                          double(profile.weight), true, CoreHub::version(), hub->LanguageString());
    if (!sent) {
        // Nothing or only the profile went out; its late answer must not count for a later click.
        disconnect(hub, USER_INFO_SIGNAL, this, USER_INFO_SLOT);
        disconnect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
        enableOperate(true);
        return;
    }
    ui->widget_trget->updateData(profile);
}

void WidgetRegister::on_NsUserInfo(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, USER_INFO_SIGNAL, this, USER_INFO_SLOT);
    userInfoSaved = returnCode.code == CloudGate::NS_RET_SUCCESS;
    infoAnswered(returnCode);
}

void WidgetRegister::on_NsSetHealthNum(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
    healthSaved = returnCode.code == CloudGate::NS_RET_SUCCESS;
    infoAnswered(returnCode);
}

// The step stays locked until both saves have answered: a late answer must neither count for
// the next click nor wipe the refusal the user is reading.
void WidgetRegister::infoAnswered(const CloudGate::ns_ret_code& returnCode)
{
    if (returnCode.code != CloudGate::NS_RET_SUCCESS && m_infoRefusal.isEmpty())
        m_infoRefusal = refusalText(returnCode.retMsg);
    if (++m_infoAnswers < REPLIES_PER_SAVE)
        return;
    if (userInfoSaved && healthSaved) {
        goPage(STEP_SPORT);
        return;
    }
    enableOperate(true);
    showTip(ui->page_bt_info_next, INFO_NEXT_DX, FIELD_WIDTH, m_infoRefusal);
}

void WidgetRegister::openSportStep()
{
    if (!userInfoSaved || !healthSaved)
        return;
    enableOperate(true);
    ui->widget_trget->getSync();
    const QString prompt =
        QObject::tr("以上运动目标是%1根据你的体质指数计算得%1出，你可点击修改该目标").arg(QStringLiteral("\r\n"));
    ui->widget_trget->setPromptText(prompt, prompt);
    ui->widget_trget->setVisiblePrompt(true);
    ui->tabWidget->setCurrentIndex(STEP_SPORT);
}

void WidgetRegister::on_goPageSportBackClick()
{
    goPage(STEP_INFO);
}

void WidgetRegister::on_goPageSportNextClick()
{
    enableOperate(false);
    HintBubble::clearAll();
    m_targetAnswers = 0;
    m_targetRefusal.clear();
    connect(ui->widget_trget, SET_SYNC_SIGNAL, this, SET_SYNC_SLOT, Qt::UniqueConnection);
    // A target the page refuses to send is answered at once, alone: nothing else will follow.
    m_targetsSending = true;
    ui->widget_trget->setSync();
    m_targetsSending = false;
    if (m_targetAnswers > 0)
        targetsAnswered();
}

void WidgetRegister::on_PageSportSetSync(bool state, QString prompt)
{
    if (!state && m_targetRefusal.isEmpty())
        m_targetRefusal = refusalText(prompt);
    ++m_targetAnswers;
    if (m_targetsSending || m_targetAnswers < REPLIES_PER_SAVE)
        return;
    targetsAnswered();
}

// Both targets must be stored before the account counts as set up.
void WidgetRegister::targetsAnswered()
{
    disconnect(ui->widget_trget, SET_SYNC_SIGNAL, this, SET_SYNC_SLOT);
    enableOperate(true);
    CoreHub* hub = Msg();
    if (!hub)
        return;
    if (!m_targetRefusal.isEmpty()) {
        showTip(ui->page_bt_sport_next, SPORT_NEXT_DX, SPORT_NEXT_WIDTH, m_targetRefusal);
        return;
    }
    sendLogin(*hub, FINAL_LOGIN_SLOT);
}

void WidgetRegister::on_NsLogin1(const QString& accessToken, const CloudGate::ns_account& account,
                                 const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, LOGIN_SIGNAL, this, FINAL_LOGIN_SLOT);
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        QLOG << "final sign-in refused:" << returnCode.retCode;
        emit onLogin();
        return;
    }
    hub->setNsAccount(account);
    hub->setNsToken(accessToken);
    goPage(STEP_DONE);
}
