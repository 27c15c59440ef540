#include "widgettarget.h"
#include "ui_widgettarget.h"

#include "corehub.h"
#include "glowentry.h"
#include "resource.h"
#include "trace.h"

#include <QPixmap>

namespace {

const char* const SPORT_SIGNAL = SIGNAL(onNsSetSportTarget(CloudGate::ns_ret_code,QString));
const char* const SPORT_SLOT = SLOT(on_NsSetSportTarget(CloudGate::ns_ret_code,QString));
const char* const SLEEP_SIGNAL = SIGNAL(onNsSetSleepTarget(CloudGate::ns_ret_code,QString));
const char* const SLEEP_SLOT = SLOT(on_NsSetSleepTarget(CloudGate::ns_ret_code,QString));
const char* const HEALTH_SIGNAL = SIGNAL(onNsGetHealthNum(CloudGate::ns_get_bmi_detail,CloudGate::ns_ret_code,QString));
const char* const HEALTH_SLOT = SLOT(on_NsGetHealthNum(CloudGate::ns_get_bmi_detail,CloudGate::ns_ret_code,QString));

const Resource::ID GENDER_TRUE_PICTURE = 40;
const Resource::ID GENDER_FALSE_PICTURE = 42;

QString noHubText()
{
    return QObject::tr("不能连接到\"消息中心\"模块");
}

// The cloud's target codes: the first band holding the value wins; below the lowest band is 3
// and above the highest is 1, not the reverse.
int bandCode(const int& value, const int (&bands)[3][2])
{
    for (int code = 0; code < 3; ++code) {
        if (value >= bands[code][0] && value <= bands[code][1])
            return code + 1;
    }
    return value < bands[0][0] ? 3 : 1;
}

int stepTargetCode(const int& steps)
{
    static const int bands[3][2] = {{3000, 7000}, {7001, 15000}, {15001, 50000}};
    return bandCode(steps, bands);
}

int sleepTargetCode(const int& minutes)
{
    static const int bands[3][2] = {{330, 390}, {391, 510}, {511, 630}};
    return bandCode(minutes, bands);
}

int hubSleepMinutes()
{
    return int(CoreHub::sdCalcSleepTarget() * 60.0);
}

} // namespace

WidgetTarget::WidgetTarget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetTarget)
{
    ui->setupUi(this);
    initDate();
}

WidgetTarget::WidgetTarget(const CloudGate::ns_account& account, QWidget* parent)
    : WidgetTarget(parent)
{
    updateData(account);
}

WidgetTarget::~WidgetTarget()
{
    delete ui;
}

void WidgetTarget::initDate()
{
    setVisiblePrompt(false);
    QPalette palette = ui->label_step_prompt->palette();
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(QColor(179, 179, 179, 255)));
    ui->label_step_prompt->setPalette(palette);
    ui->label_sleep_prompt->setPalette(palette);
    ui->input_step->setRegExp(WidgetLineEdit::REG_DIGITS);
    ui->input_sleep->setRegExp(WidgetLineEdit::REG_DIGITS);
}

CloudGate::ns_get_bmi_detail WidgetTarget::bmi() const
{
    return m_bmi;
}

void WidgetTarget::getSync()
{
    CoreHub* hub = Msg();
    if (!hub) {
        emit onGetSync(false, noHubText());
        return;
    }
    // One connection for all queries out, undone by the last answer: an answer, above all a
    // failure, must not leave a query still out without its receiver.
    if (m_queries++ == 0)
        connect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
    hub->nsGetHealthNum(hub->nsToken(), CoreHub::version(), hub->LanguageString());
}

void WidgetTarget::on_NsGetHealthNum(const CloudGate::ns_get_bmi_detail& bmi,
                                     const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub) {
        emit onGetSync(false, noHubText());
        return;
    }
    const bool gender = hub->nsAccount().gender;
    m_queries = qMax(0, m_queries - 1);
    if (m_queries == 0)
        disconnect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
    if (returnCode.code != 0) {
        failedQuery(gender);
        emit onGetSync(false, returnCode.retMsg);
        return;
    }
    m_bmi = bmi;
    m_received = true;
    // Before the fields change: a host reading bmi() in its handler already sees this reply.
    emit onGetSync(true, QObject::tr("获取成功"));
    updateData(gender, bmi.ssportRecommen.toUInt(nullptr, 10), double(bmi.sleepRecommen.toUInt(nullptr, 10)));
}

// The defaults stand in only for figures never received: put over the user's own targets, a
// save would write them to the cloud.
void WidgetTarget::failedQuery(const bool& gender)
{
    if (m_received) {
        QLOG << "get bmi fail: keep the figures received.";
        return;
    }
    QLOG << "get bmi fail: use locale calc value.";
    updateData(gender, 0, 0.0);
}

void WidgetTarget::updateData(const CloudGate::ns_account& account)
{
    if (!Msg())
        return;
    updateData(account.gender, unsigned(CoreHub::sdCalcStepTarget()), CoreHub::sdCalcSleepTarget() * 60.0);
}

// An opened field keeps what the user typed; only its hint follows the new figure.
void WidgetTarget::updateData(const bool& gender, const unsigned& steps, const double& sleepMinutes)
{
    const unsigned stepFigure = steps == 0 ? unsigned(CoreHub::sdCalcStepTarget()) : steps;
    int minutes = int(sleepMinutes);
    if (minutes == 0)
        minutes = hubSleepMinutes();
    const QPixmap picture(Resource::getResPath(gender ? GENDER_TRUE_PICTURE : GENDER_FALSE_PICTURE));
    ui->img_gender->setPixmap(picture, Qt::KeepAspectRatio);
    ui->input_step->setBgText(QString("%1%2").arg(stepFigure).arg(QObject::tr("步")));
    if (!ui->input_step->lineEdit()->isVisible())
        ui->input_step->lineEdit()->setText(QString("%1").arg(stepFigure));
    ui->input_sleep->setBgText(QString("%1%2").arg(minutes).arg(QObject::tr("分钟")));
    if (!ui->input_sleep->lineEdit()->isVisible())
        ui->input_sleep->lineEdit()->setText(QString("%1").arg(minutes));
    if (CoreHub* hub = Msg())
        hub->nsSetStepTarget(double(stepFigure));
}

// A target that is no whole number in int range is refused before anything is sent: sending it
// as 0 would store a target the user never chose and still report success.
void WidgetTarget::setSync()
{
    CoreHub* hub = Msg();
    if (!hub) {
        emit onSetSync(false, noHubText());
        return;
    }
    bool stepsRead = false;
    bool minutesRead = false;
    const int steps = ui->input_step->lineEdit()->text().toInt(&stepsRead, 10);
    const int minutes = ui->input_sleep->lineEdit()->text().toInt(&minutesRead, 10);
    if (!stepsRead) {
        emit onSetSync(false, QObject::tr("请输入有效的运动目标"));
        return;
    }
    if (!minutesRead) {
        emit onSetSync(false, QObject::tr("请输入有效的睡眠目标"));
        return;
    }
    const QString token = hub->nsToken();
    const QString version = CoreHub::version();
    const QString language = hub->LanguageString();
    connect(hub, SPORT_SIGNAL, this, SPORT_SLOT);
    connect(hub, SLEEP_SIGNAL, this, SLEEP_SLOT);
    hub->nsSetSportTarget(token, steps, stepTargetCode(steps), version, language);
    hub->nsSetSleepTarget(token, minutes, sleepTargetCode(minutes), version, language);
}

void WidgetTarget::on_NsSetSportTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    answerTarget(SPORT_SIGNAL, SPORT_SLOT, returnCode);
}

void WidgetTarget::on_NsSetSleepTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    answerTarget(SLEEP_SIGNAL, SLEEP_SLOT, returnCode);
}

void WidgetTarget::answerTarget(const char* signal, const char* slot, const CloudGate::ns_ret_code& returnCode)
{
    CoreHub* hub = Msg();
    if (!hub) {
        emit onSetSync(false, noHubText());
        return;
    }
    disconnect(hub, signal, this, slot);
    if (returnCode.code != 0) {
        emit onSetSync(false, returnCode.retMsg);
        return;
    }
    emit onSetSync(true, QObject::tr("设置同步成功"));
}

void WidgetTarget::setPromptText(const QString& stepPrompt, const QString& sleepPrompt)
{
    ui->label_step_prompt->setText(stepPrompt);
    ui->label_sleep_prompt->setText(sleepPrompt);
}

void WidgetTarget::setVisiblePrompt(const bool& visible)
{
    ui->label_step_prompt->setVisible(visible);
    ui->label_sleep_prompt->setVisible(visible);
}

// A long explanation wraps inside the layout's cell instead of widening the page.
void WidgetTarget::resizeEvent(QResizeEvent* event)
{
    Q_UNUSED(event)
    ui->label_step_prompt->setWordWrap(true);
    ui->label_step_prompt->setAlignment(Qt::AlignTop);
}
