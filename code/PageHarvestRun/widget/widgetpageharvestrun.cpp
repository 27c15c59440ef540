#include "widgetpageharvestrun.h"
#include "ui_widgetpageharvestrun.h"

#include "corehub.h"
#include "noticebox.h"
#include "resource.h"
#include "tapcaption.h"
#include "trace.h"

#include <QPixmap>
#include <QTabBar>

namespace {

const Resource::ID kButtonFirst = 33;
const Resource::ID kBusyFirst = 80;
const Resource::ID kBusySecond = 81;

const int kStep1 = 0;
const int kStep2 = 1;
const int kNoticeOk = 1;
const QPoint kNoticeOffset(100, 100);

void setupButton(TapCaption* button, const QString& caption)
{
    button->setCursor(Qt::PointingHandCursor);
    button->setCaption(caption);
    button->setStateImages(Resource::getResPath(kButtonFirst), Resource::getResPath(kButtonFirst + 1),
                           Resource::getResPath(kButtonFirst + 2));
}

QString syncTime(const QDateTime& time)
{
    if (time.date().year() <= 0)
        return QObject::tr("从没有同步.");
    const QDate day = time.date();
    const QTime clock = time.time();
    return QObject::tr("%1年%2月%3日 %4:%5:%6")
        .arg(day.year())
        .arg(day.month())
        .arg(day.day())
        .arg(clock.hour())
        .arg(clock.minute())
        .arg(clock.second());
}

QString dataDate(const QDateTime& time)
{
    if (time.date().year() <= 0)
        return QObject::tr("从没有同步.");
    const QDate day = time.date();
    return QObject::tr("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day());
}

} // namespace

WidgetPageHarvestRun::WidgetPageHarvestRun(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageHarvestRun)
{
    ui->setupUi(this);
    ui->tabWidget->tabBar()->hide();
    setupButton(ui->bt_sync_now, QObject::tr("立即同步"));
    connect(ui->bt_sync_now, SIGNAL(on_click()), this, SLOT(on_syncNowClick()));
    setupButton(ui->bt_cancel_sync, QObject::tr("取消"));
    connect(ui->bt_cancel_sync, SIGNAL(on_click()), this, SLOT(on_cancelSyncClick()));
    ui->w_process->setShow(QObject::tr("正在检测设备..."), QPixmap(Resource::getResPath(kBusyFirst)),
                           QPixmap(Resource::getResPath(kBusySecond)));
    m_harvest = new BandHarvest();
}

// The run goes with the page, not later: the hub outlives every page but not necessarily a
// deferred deletion, and the run's destructor still talks to the hub.
WidgetPageHarvestRun::~WidgetPageHarvestRun()
{
    disconnect(ui->bt_sync_now, SIGNAL(on_click()), this, SLOT(on_syncNowClick()));
    delete m_harvest;
    m_harvest = nullptr;
    delete ui;
}

bool WidgetPageHarvestRun::setMsg(CoreHub* msg)
{
    QLOG << "msg=" << msg << ",idle=" << m_idle;
    const bool result = Attribute::setMsg(msg);
    if (!m_idle) {
        QLOG << "data syncing ,no need update lasy sync info.";
        return true;
    }
    disconnect(m_harvest, SIGNAL(onStatus(BandHarvest::STATUS,QString)), this,
               SLOT(on_Status(BandHarvest::STATUS,QString)));
    connect(m_harvest, SIGNAL(onStatus(BandHarvest::STATUS,QString)), this,
            SLOT(on_Status(BandHarvest::STATUS,QString)));
    m_harvest->setMsg(msg);
    on_cancelSyncClick();
    return result;
}

int WidgetPageHarvestRun::queryLastSync()
{
    ui->tab_step1->setEnabled(false);
    ui->label_last_sync->setText(QObject::tr("正在查询..."));
    ui->label_data_date->setText(QObject::tr("正在查询..."));
    CoreHub* hub = Msg();
    const QList<CloudGate::ns_bind_dev> binds = hub ? hub->nsBinds() : QList<CloudGate::ns_bind_dev>();
    if (binds.isEmpty()) {
        ui->label_last_sync->setText(QObject::tr("查询失败!!!"));
        ui->label_data_date->setText(QObject::tr("查询失败!!!"));
        ui->tab_step1->setEnabled(true);
        return 0;
    }
    // Unique: a cancel and an activation may each ask before the first answer is in.
    connect(hub, SIGNAL(onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    const CloudGate::ns_bind_dev& first = binds.first();
    return hub->nsQueryLastSync(hub->nsToken(), first.deviceAddress, first.deviceSerial, CoreHub::version(),
                                hub->LanguageString());
}

void WidgetPageHarvestRun::on_NsQueryLastSync(const QDateTime& lastStatisticsTm, const QDateTime& lastSJDate,
                                              const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    ui->tab_step1->setEnabled(true);
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsQueryLastSync(QDateTime,QDateTime,CloudGate::ns_ret_code,QString)));
    if (returnCode.code != 0) {
        ui->label_last_sync->setText(QObject::tr("查询失败!!!"));
        ui->label_data_date->setText(QObject::tr("查询失败!!!"));
        return;
    }
    ui->label_last_sync->setText(syncTime(lastStatisticsTm));
    ui->label_data_date->setText(dataDate(lastSJDate));
}

void WidgetPageHarvestRun::on_Status(BandHarvest::STATUS status, QString prompt)
{
    if (m_idle)
        return;
    // Keyed on the number: 2, 4, 6 and 8 are never reported but go with their neighbours.
    switch (int(status)) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 8:
        ui->w_process->onStart();
        break;
    case 6:
    case 7:
    case 11:
    case 12:
        ui->w_process->onStop();
        break;
    case 15:
        m_idle = true;
        ui->w_process->onStop();
        ui->bt_cancel_sync->setCaption(QObject::tr("完成"));
        ui->bt_cancel_sync->setEnabled(true);
        break;
    default:
        break;
    }
    ui->w_process->setShow(prompt);
}

void WidgetPageHarvestRun::on_syncNowClick()
{
    CoreHub* hub = Msg();
    const QList<CloudGate::ns_bind_dev> binds = hub ? hub->nsBinds() : QList<CloudGate::ns_bind_dev>();
    if (binds.isEmpty()) {
        askToBind();
        return;
    }
    ui->bt_cancel_sync->setCaption(QObject::tr("取消"));
    ui->tabWidget->setCurrentIndex(kStep2);
    ui->w_process->onStart();
    m_idle = false;
    // A run that cannot start says so in its status texts.
    m_harvest->setDevId(binds.first());
    m_harvest->sync();
}

void WidgetPageHarvestRun::askToBind()
{
    NoticeBox box(this);
    box.setText(QObject::tr("提示信息"), QObject::tr("还没有绑定任何设备,是否马上绑定?"),
                QObject::tr("继续请点击确定,否则点击取消"), QObject::tr("取消"), QObject::tr("确定"));
    box.move(mapToGlobal(pos()) + kNoticeOffset);
    ui->w_process->setShow(QObject::tr("等待中"));
    if (box.exec() != kNoticeOk)
        return;
    CoreHub* hub = Msg();
    if (hub)
        emit hub->onWinGotoScan();
}

// Cancel and done alike. The stopped run's last statuses are not this page's business any more.
void WidgetPageHarvestRun::on_cancelSyncClick()
{
    m_idle = true;
    m_harvest->stop();
    ui->w_process->onStop();
    ui->tabWidget->setCurrentIndex(kStep1);
    queryLastSync();
}
