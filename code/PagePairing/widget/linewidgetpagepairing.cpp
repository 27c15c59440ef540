#include "linewidgetpagepairing.h"
#include "ui_linewidgetpagepairing.h"

#include "corehub.h"
#include "resource.h"
#include "tapcaption.h"
#include "trace.h"

#include <QTimer>

namespace {

const int kStageTimeout = 10000;

} // namespace

LineWidgetPagePairing::LineWidgetPagePairing(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::LineWidgetPagePairing)
{
    ui->setupUi(this);
    ui->bt_exec->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    m_timer = new QTimer(this);
    m_timer->setInterval(kStageTimeout);
    connect(ui->bt_exec, SIGNAL(on_click()), this, SLOT(on_ButtonClick()));
}

LineWidgetPagePairing::~LineWidgetPagePairing()
{
    disconnect(ui->bt_exec, SIGNAL(on_click()), this, SLOT(on_ButtonClick()));
    delete ui;
}

bool LineWidgetPagePairing::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void LineWidgetPagePairing::setData(const QPixmap& ico, const QString& name, const QString& address,
                                    const QString& number, const QString& buttonText, const bool& enabled)
{
    m_address = address;
    m_number = number;
    ui->ico->setPixmap(ico);
    ui->name->setText(name);
    ui->address->setText(address);
    ui->device->setText(number);
    ui->bt_exec->setCaption(buttonText);
    ui->bt_exec->setEnabled(enabled);
}

void LineWidgetPagePairing::setTag(const int& tag)
{
    m_tag = tag;
}

void LineWidgetPagePairing::setIco(const QPixmap& ico)
{
    ui->ico->setPixmap(ico);
}

const QString& LineWidgetPagePairing::address() const
{
    return m_address;
}

void LineWidgetPagePairing::setButtonEnabled(const bool& enabled)
{
    ui->bt_exec->setEnabled(enabled);
}

QString LineWidgetPagePairing::deviceId(const WireCodec::bs_reply_version& version)
{
    QString id;
    for (const unsigned char byte : version.id)
        id += QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    return id;
}

// ---- The run ----

void LineWidgetPagePairing::on_ButtonClick()
{
    showStatus(QObject::tr("准备中..."));
    emit onBindClick(this);
}

void LineWidgetPagePairing::on_BindClick()
{
    CoreHub* hub = Msg();
    if (!hub) {
        disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_DisconTimerOut()));
        showStatus(QObject::tr("无法连接到消息中心"));
        getDevice(false);
        return;
    }
    aimTimer(SLOT(on_DisconTimerOut()), SLOT(on_DisconTimerOut()));
    // Any link the adapter still holds goes first; its answer starts the connect.
    connect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn(bool)), Qt::UniqueConnection);
    hub->bcDisConnect();
}

void LineWidgetPagePairing::on_BcDisconn(const bool& state)
{
    CoreHub* hub = Msg();
    if (!hub) {
        getDevice(false);
        return;
    }
    // A refused disconnect only means there was no link: go on either way.
    Q_UNUSED(state)
    aimTimer(SLOT(on_DisconTimerOut()), SLOT(on_ConnectTimerOut()));
    disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn(bool)));
    showStatus(QObject::tr("正在连接..."));
    connect(hub, SIGNAL(onBcConn(bool)), this, SLOT(on_BcConn(bool)), Qt::UniqueConnection);
    hub->bcConnect(m_tag);
}

void LineWidgetPagePairing::on_BcConn(const bool& state)
{
    CoreHub* hub = Msg();
    if (!hub) {
        getDevice(false);
        return;
    }
    disconnect(hub, SIGNAL(onBcConn(bool)), this, SLOT(on_BcConn(bool)));
    if (!state) {
        stopTimer(SLOT(on_ConnectTimerOut()));
        showStatus(QObject::tr("连接失败!!!"));
        getDevice(false);
        return;
    }
    disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn1(bool)));
    connect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn1(bool)));
    showStatus(QObject::tr("正在监听..."));
    aimTimer(SLOT(on_ConnectTimerOut()), SLOT(on_NotifyTimerOut()));
    connect(hub, SIGNAL(onBcNotify(bool)), this, SLOT(on_BcNotify(bool)), Qt::UniqueConnection);
    hub->bcNotify();
}

void LineWidgetPagePairing::on_BcNotify(const bool& state)
{
    CoreHub* hub = Msg();
    if (!hub) {
        getDevice(false);
        return;
    }
    disconnect(hub, SIGNAL(onBcNotify(bool)), this, SLOT(on_BcNotify(bool)));
    if (!state) {
        stopTimer(SLOT(on_NotifyTimerOut()));
        failLinked(QObject::tr("监听失败!!!"));
        return;
    }
    showStatus(QObject::tr("正在获取..."));
    aimTimer(SLOT(on_NotifyTimerOut()), SLOT(on_VersionTimerOut()));
    connect(hub, SIGNAL(onBhVersion(WireCodec::bs_reply_version)), this,
            SLOT(on_BhVersion(WireCodec::bs_reply_version)), Qt::UniqueConnection);
    hub->bhVersion();
}

void LineWidgetPagePairing::on_BhVersion(const WireCodec::bs_reply_version& version)
{
    stopTimer(SLOT(on_VersionTimerOut()));
    CoreHub* hub = Msg();
    if (!hub) {
        getDevice(false);
        return;
    }
    disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn1(bool)));
    disconnect(hub, SIGNAL(onBhVersion(WireCodec::bs_reply_version)), this,
               SLOT(on_BhVersion(WireCodec::bs_reply_version)));
    hub->bcDisConnect();
    m_number = deviceId(version);
    QLOG << "version=" << version.version << ",word=" << version.versionWord << ",id=" << m_number
         << ",text=" << QString::fromLatin1(version.text);
    showStatus(m_number);
    emit onButton(ui->bt_exec, m_address, m_number, m_tag);
    getDevice(true);
}

void LineWidgetPagePairing::on_BcDisconn1(const bool& state)
{
    if (!m_timer->isActive() || !state)
        return;
    showStatus(QObject::tr("连接断开!!!"));
    getDevice(true);
}

// ---- Time-outs ----

void LineWidgetPagePairing::on_DisconTimerOut()
{
    stopTimer(SLOT(on_DisconTimerOut()));
    showStatus(QObject::tr("连接超时!!!"));
    getDevice(false);
}

void LineWidgetPagePairing::on_ConnectTimerOut()
{
    stopTimer(SLOT(on_ConnectTimerOut()));
    // The connect may still have gone through after all.
    failLinked(QObject::tr("连接超时!!!"));
}

void LineWidgetPagePairing::on_NotifyTimerOut()
{
    stopTimer(SLOT(on_NotifyTimerOut()));
    failLinked(QObject::tr("监听超时!!!"));
}

void LineWidgetPagePairing::on_VersionTimerOut()
{
    stopTimer(SLOT(on_VersionTimerOut()));
    failLinked(QObject::tr("获取超时!!!"));
}

// ---- Ending a run ----

void LineWidgetPagePairing::getDevice(const bool& state)
{
    QLOG << "state=" << state << ",address=" << m_address;
    m_timer->stop();
    disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_DisconTimerOut()));
    disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_ConnectTimerOut()));
    disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_NotifyTimerOut()));
    disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_VersionTimerOut()));
    if (CoreHub* hub = Msg()) {
        disconnect(hub, SIGNAL(onBcNotify(bool)), this, SLOT(on_BcNotify(bool)));
        disconnect(hub, SIGNAL(onBcConn(bool)), this, SLOT(on_BcConn(bool)));
        disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn1(bool)));
        disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_BcDisconn(bool)));
        disconnect(hub, SIGNAL(onBhVersion(WireCodec::bs_reply_version)), this,
                   SLOT(on_BhVersion(WireCodec::bs_reply_version)));
    }
    emit onGetDevice(state);
}

void LineWidgetPagePairing::failLinked(const QString& text)
{
    showStatus(text);
    CoreHub* hub = Msg();
    if (!hub) {
        getDevice(false);
        return;
    }
    // The answer must reach no stage of this run: undo them before it can come.
    disconnect(hub, nullptr, this, nullptr);
    hub->bcDisConnect();
    getDevice(false);
}

void LineWidgetPagePairing::aimTimer(const char* from, const char* to)
{
    disconnect(m_timer, SIGNAL(timeout()), this, from);
    connect(m_timer, SIGNAL(timeout()), this, to);
    m_timer->stop();
    m_timer->start();
}

void LineWidgetPagePairing::stopTimer(const char* from)
{
    disconnect(m_timer, SIGNAL(timeout()), this, from);
    m_timer->stop();
}

void LineWidgetPagePairing::showStatus(const QString& text)
{
    ui->device->setText(text);
}
