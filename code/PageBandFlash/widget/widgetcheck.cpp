#include "widgetcheck.h"
#include "ui_widgetcheck.h"

#include "corehub.h"
#include "resource.h"
#include "trace.h"

WidgetCheck::WidgetCheck(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetCheck)
{
    ui->setupUi(this);
    initData();
}

WidgetCheck::~WidgetCheck()
{
    disconnect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    disconnect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    disconnect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
    delete ui;
}

void WidgetCheck::initData()
{
    ui->bt_close->setStateImages(Resource::getResPath(11), Resource::getResPath(12), Resource::getResPath(13));
    ui->bt_cancel->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->bt_ok->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->label_title->setText(tr("固件更新(检测)"));
    ui->bt_cancel->setCaption(tr("取消"));
    ui->bt_ok->setCaption(tr("检测"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

bool WidgetCheck::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetCheck::start()
{
    CoreHub* hub = Msg();
    if (!hub) {
        ui->label_text->setText(tr("无法连接到消息中心!!!"));
        return;
    }
    stopListening();
    ui->bt_ok->setEnabled(false);
    ui->label_text->setText(tr("正在检测更新..."));
    ui->label_description->setText(tr("取消点击\"取消\",重试点击\"检测\"."));
    // Without a bound band there is nothing to look for in a scan.
    if (hub->nsBinds().isEmpty()) {
        fail(tr("扫描手环失败,请重试!!!"));
        return;
    }
    // The hub scans after every disconnect; its result tells where the band is now.
    connect(hub, SIGNAL(onBcScan(QList<BandLink::at_devinfo>)), this, SLOT(on_firmScan(QList<BandLink::at_devinfo>)));
    hub->bcDisConnect();
}

void WidgetCheck::end()
{
    stopListening();
    m_claim.release();
}

void WidgetCheck::on_okClick()
{
    start();
}

void WidgetCheck::on_closeClick()
{
    emit onClose();
}

void WidgetCheck::on_cancelClick()
{
    emit onClose();
}

void WidgetCheck::on_firmScan(const QList<BandLink::at_devinfo>& list)
{
    CoreHub* hub = Msg();
    disconnect(hub, SIGNAL(onBcScan(QList<BandLink::at_devinfo>)), this,
               SLOT(on_firmScan(QList<BandLink::at_devinfo>)));
    m_binds = hub->nsBinds();
    const QString bound = m_binds.isEmpty() ? QString() : m_binds.first().deviceAddress;
    for (int i = 0; i < list.size(); ++i) {
        if (bound.isEmpty() || list[i].address != bound)
            continue;
        QLOG << "src=" << bound << ",new=" << list[i].address << ",i=" << i;
        connect(hub, SIGNAL(onBcConn(bool)), this, SLOT(on_firmConn(bool)));
        m_claim.claim(hub);
        hub->bcConnect(i + 1);
        return;
    }
    fail(tr("扫描手环失败,请重试!!!"));
}

void WidgetCheck::on_firmConn(bool state)
{
    CoreHub* hub = Msg();
    disconnect(hub, SIGNAL(onBcConn(bool)), this, SLOT(on_firmConn(bool)));
    if (!state) {
        fail(tr("连接手环失败,请重试!!!"));
        return;
    }
    watchLink(true);
    connect(hub, SIGNAL(onBcNotify(bool)), this, SLOT(on_firmBcNotify(bool)));
    hub->bcNotify();
}

void WidgetCheck::on_firmBcNotify(bool state)
{
    CoreHub* hub = Msg();
    disconnect(hub, SIGNAL(onBcNotify(bool)), this, SLOT(on_firmBcNotify(bool)));
    if (!state) {
        watchLink(false);
        fail(tr("蓝牙监听失败,请重试!!!"));
        return;
    }
    connect(hub, SIGNAL(onBhVersion(WireCodec::bs_reply_version)), this,
            SLOT(on_firmBhVersion(WireCodec::bs_reply_version)));
    hub->bhVersion();
}

void WidgetCheck::on_firmBhVersion(const WireCodec::bs_reply_version& version)
{
    CoreHub* hub = Msg();
    disconnect(hub, SIGNAL(onBhVersion(WireCodec::bs_reply_version)), this,
               SLOT(on_firmBhVersion(WireCodec::bs_reply_version)));
    // The band is done with; what is left waits for the cloud alone.
    watchLink(false);
    connect(hub, SIGNAL(onNsFirmware(quint16,quint16,QByteArray)), this,
            SLOT(on_NsFirmware(quint16,quint16,QByteArray)));
    hub->nsFirmware(hub->nsToken(), version.version, true);
    ui->label_text->setText(QString());
}

void WidgetCheck::on_NsFirmware(quint16 currentVersion, quint16 upgradeVersion, const QByteArray& data)
{
    disconnect(Msg(), SIGNAL(onNsFirmware(quint16,quint16,QByteArray)), this,
               SLOT(on_NsFirmware(quint16,quint16,QByteArray)));
    // Versions 0 and 0 are a reply the cloud gate could not read, not an up-to-date band.
    if (currentVersion == 0 && upgradeVersion == 0) {
        fail(tr("检测失败,请重试!!!"));
        return;
    }
    if (upgradeVersion == currentVersion) {
        ui->label_text->setText(tr("已是最新版本."));
        ui->label_description->setText(tr("当前已是最新版本,不需要更新."));
        return;
    }
    // A new version without its image cannot be installed.
    if (upgradeVersion != 0 && data.isEmpty()) {
        fail(tr("检测失败,请重试!!!"));
        return;
    }
    emit onNext(currentVersion, upgradeVersion, data);
}

void WidgetCheck::on_linkLost()
{
    stopListening();
    fail(tr("连接手环失败,请重试!!!"));
}

void WidgetCheck::on_bandError(const WireCodec::bs_pack_error& error)
{
    QLOG << "band error, cmd=" << error.cmd << ",type=" << error.type;
    stopListening();
    fail(tr("连接手环失败,请重试!!!"));
}

void WidgetCheck::stopListening()
{
    CoreHub* hub = Msg();
    if (hub)
        disconnect(hub, nullptr, this, nullptr);
}

void WidgetCheck::watchLink(const bool& on)
{
    CoreHub* hub = Msg();
    if (on) {
        connect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_linkLost()));
        connect(hub, SIGNAL(onBhError(WireCodec::bs_pack_error)), this, SLOT(on_bandError(WireCodec::bs_pack_error)));
        return;
    }
    disconnect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_linkLost()));
    disconnect(hub, SIGNAL(onBhError(WireCodec::bs_pack_error)), this, SLOT(on_bandError(WireCodec::bs_pack_error)));
}

void WidgetCheck::fail(const QString& text)
{
    ui->label_text->setText(text);
    ui->bt_ok->setEnabled(true);
}
