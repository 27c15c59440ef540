#include "widgetbody.h"
#include "ui_widgetbody.h"

#include "corehub.h"
#include "pagequests.h"
#include "trace.h"

#include <QDate>
#include <QTabBar>

namespace {

const Resource::ID ICON_STEPS = 65;
const Resource::ID ICON_SLEEP = 71;
const int MINUTES_PER_CHUNK = 120;
const quint8 PHASE_LIGHT = 2;
const quint8 PHASE_DEEP = 3;

QString duration(const int& minutes)
{
    return QObject::tr("%1小时%2分钟").arg(minutes / 60).arg(minutes % 60);
}

} // namespace

WidgetBody::WidgetBody(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetBody)
{
    ui->setupUi(this);
    ui->tabWidget->tabBar()->hide();
    ui->widget_sport_today->setTitle(ICON_STEPS, QObject::tr("运动数据"));
    ui->widget_sleep_today->setTitle(ICON_SLEEP, QObject::tr("睡眠数据"));
    m_quests = new PageQuests(nullptr);
    ui->tabWidget->insertTab(TAB_TASKS, m_quests, QObject::tr("任务系统"));
}

WidgetBody::~WidgetBody()
{
    delete ui;
}

bool WidgetBody::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    ui->widget_sport_today->setMsg(msg);
    ui->widget_sleep_today->setMsg(msg);
    ui->widget_health_index->setMsg(msg);
    ui->tab_bracelet->setMsg(msg);
    ui->tab_sync->setMsg(msg);
    ui->tab_user->setMsg(msg);
    ui->tab_statistical->setMsg(msg);
    m_quests->setMsg(msg);
    if (!msg)
        return result;
    connect(msg, &CoreHub::onNsDateSync, this, &WidgetBody::on_NsDateSync, Qt::UniqueConnection);
    refreshToday();
    return result;
}

unsigned char WidgetBody::sdPercent(const double& value, const double& target)
{
    if (value > target)
        return 100;
    if (target <= 0)
        return 0;
    return static_cast<unsigned char>(value / target * 100);
}

void WidgetBody::on_NavigateItemChanged(const int& current, const int& previous)
{
    Q_UNUSED(previous)
    ui->tabWidget->setCurrentIndex(current);
    QLOG << "size=" << (ui->tabWidget->currentWidget() ? ui->tabWidget->currentWidget()->size() : QSize());
    CoreHub* hub = Msg();
    if (!hub)
        return;
    switch (current) {
    case TAB_TODAY:
        ui->widget_sport_today->setMsg(hub);
        ui->widget_sleep_today->setMsg(hub);
        refreshToday();
        return;
    case TAB_BMI:
        ui->widget_health_index->setMsg(hub);
        return;
    case TAB_BAND:
        ui->tab_bracelet->setMsg(hub);
        return;
    case TAB_STATISTICS:
        ui->tab_statistical->setMsg(hub);
        return;
    case TAB_SYNC:
        ui->tab_sync->setMsg(hub);
        return;
    case TAB_USER:
        ui->tab_user->setMsg(hub);
        return;
    default:
        // The task list loads its page on every activation, so it is only activated with the container.
        return;
    }
}

void WidgetBody::on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnCode)
    Q_UNUSED(returnMsg)
    refreshToday();
}

// Each card waits, disabled, for today's record; a record of another day leaves the wait open,
// and a second refresh joins it rather than waiting twice.
void WidgetBody::refreshToday()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    const QDate today = QDate::currentDate();
    ui->widget_sport_today->setEnabled(false);
    connect(hub, &CoreHub::onFdNetStepDay, this, &WidgetBody::on_FdStepDay, Qt::UniqueConnection);
    hub->fdStepDay(today, true, true);
    ui->widget_sleep_today->setEnabled(false);
    connect(hub, &CoreHub::onFdNetSleepDay, this, &WidgetBody::on_FdSleepDay, Qt::UniqueConnection);
    hub->fdSleepDay(today, true, true);
}

bool WidgetBody::isToday(const LocalVault::table_entry& entry) const
{
    return entry.interval != 0 && QDate(entry.date.year, entry.date.month, entry.date.day) == QDate::currentDate();
}

void WidgetBody::on_FdStepDay(const LocalVault::step_mem_data& d)
{
    ui->widget_sport_today->setEnabled(true);
    CoreHub* hub = Msg();
    const unsigned target = hub ? hub->nsBmi().ssportRecommen.toUInt() : 0;
    if (!hub || !isToday(d.t)) {
        ui->widget_sport_today->setValue(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), 0,
                                         QStringLiteral("0"), QStringLiteral("%1").arg(double(target)));
        return;
    }
    disconnect(hub, &CoreHub::onFdNetStepDay, this, &WidgetBody::on_FdStepDay);
    // Distance and calories come per two hours of samples; a record of more than two hours per
    // sample still advances one sample at a time.
    const int interval = d.t.interval;
    const int chunk = qMax(1, MINUTES_PER_CHUNK / interval);
    double steps = 0;
    double kilometres = 0;
    double kilocalories = 0;
    int activeMinutes = 0;
    for (int first = 0; first < d.items.size(); first += chunk) {
        unsigned sum = 0;
        const int end = qMin(first + chunk, d.items.size());
        for (int i = first; i < end; ++i) {
            sum += d.items.at(i).value;
            if (d.items.at(i).value != 0)
                activeMinutes += interval;
        }
        const double metres = hub->sdCalcDist(sum);
        kilometres += metres / 1000;
        kilocalories += hub->sdCalcDefaultKcal(metres) / 1000;
        steps += sum;
    }
    ui->widget_sport_today->setValue(QObject::tr("%1大卡").arg(QString::number(kilocalories, 'f', 1)),
                                     duration(activeMinutes),
                                     QObject::tr("%1公里").arg(QString::number(kilometres, 'f', 1)),
                                     sdPercent(steps, target), QString::number(qint64(steps)),
                                     QString::number(target));
}

void WidgetBody::on_FdSleepDay(const LocalVault::sleep_mem_data& d)
{
    ui->widget_sleep_today->setEnabled(true);
    CoreHub* hub = Msg();
    const int target = hub ? hub->nsBmi().sleepRecommen.toInt() : 0;
    if (!hub || !isToday(d.t)) {
        ui->widget_sleep_today->setValue(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), 0,
                                         QStringLiteral("0"), duration(target));
        return;
    }
    disconnect(hub, &CoreHub::onFdNetSleepDay, this, &WidgetBody::on_FdSleepDay);
    int light = 0;
    int deep = 0;
    for (const LocalVault::sleep_segment& segment : d.segments) {
        if (segment.phase == PHASE_LIGHT)
            light += segment.minutes;
        else if (segment.phase == PHASE_DEEP)
            deep += segment.minutes;
    }
    const int total = light + deep;
    ui->widget_sleep_today->setValue(QStringLiteral("00:00"), duration(light), duration(deep),
                                     sdPercent(total, target), duration(total), duration(target));
}
