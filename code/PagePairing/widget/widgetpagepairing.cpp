#include "widgetpagepairing.h"
#include "ui_widgetpagepairing.h"

#include "busymeter.h"
#include "corehub.h"
#include "linewidgetpagepairing.h"
#include "noticebox.h"
#include "resource.h"
#include "tapcaption.h"
#include "trace.h"

#include <QLabel>
#include <QMetaObject>
#include <QTimer>

namespace {

const int kScanInterval = 10000;
const Resource::ID kRowPicture = 78;
const Resource::ID kCurrentRowPicture = 79;
const Resource::ID kBusyFirst = 80;
const Resource::ID kBusySecond = 81;
const int kPromptOk = 1;

QPixmap picture(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id));
}

} // namespace

WidgetPagePairing::WidgetPagePairing(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPagePairing)
{
    ui->setupUi(this);
}

WidgetPagePairing::~WidgetPagePairing()
{
    if (m_timer)
        m_timer->deleteLater();
    m_timer = nullptr;
    delete ui;
}

bool WidgetPagePairing::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    QLOG << "this->m_msg=" << static_cast<void*>(msg);
    initData();
    if (!msg)
        return result;
    m_binds = msg->nsBinds();
    disconnect(msg, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)));
    connect(msg, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)));
    return result;
}

void WidgetPagePairing::initData()
{
    m_line = nullptr;
    m_scanning = false;
    if (!m_timer)
        m_timer = new QTimer(this);
    ui->w_process->setShow(QObject::tr("检测设备中..."), picture(kBusyFirst), picture(kBusySecond));
    m_timer->setInterval(kScanInterval);
    m_timer->start();
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onUsbBusy(bool,QString)), this, SLOT(on_UsbBusy(bool,QString)));
    connect(hub, SIGNAL(onUsbBusy(bool,QString)), this, SLOT(on_UsbBusy(bool,QString)));
    disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_search()));
    connect(m_timer, SIGNAL(timeout()), this, SLOT(on_search()));
    disconnect(hub, SIGNAL(onUsbConn()), this, SLOT(on_UsbConn()));
    connect(hub, SIGNAL(onUsbConn()), this, SLOT(on_UsbConn()));
    disconnect(hub, SIGNAL(onUsbUnConn()), this, SLOT(on_UsbUnConn()));
    connect(hub, SIGNAL(onUsbUnConn()), this, SLOT(on_UsbUnConn()));
    disconnect(hub, SIGNAL(onBcScan(QList<BandLink::at_devinfo>)), this, SLOT(on_BcScan(QList<BandLink::at_devinfo>)));
    connect(hub, SIGNAL(onBcScan(QList<BandLink::at_devinfo>)), this, SLOT(on_BcScan(QList<BandLink::at_devinfo>)));
    hub->on_usbUpdate();
}

// ---- The adapter ----

void WidgetPagePairing::on_UsbConn()
{
    QLOG << "adapter present";
    CoreHub* hub = Msg();
    if (!hub)
        return;
    // While the adapter is there only its removal is watched.
    disconnect(hub, SIGNAL(onUsbConn()), this, SLOT(on_UsbConn()));
    disconnect(hub, SIGNAL(onUsbUnConn()), this, SLOT(on_UsbUnConn()));
    connect(hub, SIGNAL(onUsbUnConn()), this, SLOT(on_UsbUnConn()));
    m_present = true;
    ui->w_process->setShow(QObject::tr("设备准备中..."));
    setEnabled(true);
    ui->w_process->onStart();
    if (!m_timer)
        return;
    m_timer->start();
    on_search();
    hub->on_usbUpdate();
}

void WidgetPagePairing::on_UsbUnConn()
{
    QLOG << "adapter removed";
    m_line = nullptr;
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onUsbConn()), this, SLOT(on_UsbConn()));
    disconnect(hub, SIGNAL(onUsbUnConn()), this, SLOT(on_UsbUnConn()));
    connect(hub, SIGNAL(onUsbConn()), this, SLOT(on_UsbConn()));
    m_present = false;
    ui->w_process->setShow(QObject::tr("设备已经移除!!!"));
    clearRows();
    setEnabled(false);
    ui->w_process->onStop();
    if (m_timer)
        m_timer->stop();
}

void WidgetPagePairing::on_UsbBusy(const bool& status, const QString& name)
{
    QLOG << "status=" << status << ",name=" << name;
    if (!Msg() || !m_timer)
        return;
    if (status) {
        m_timer->start();
        on_search();
        return;
    }
    m_timer->stop();
    if (!name.isEmpty())
        ui->w_process->setShow(QObject::tr("串口\"%1\"被占用...").arg(name));
}

// ---- Scans ----

void WidgetPagePairing::on_search()
{
    CoreHub* hub = Msg();
    // A row's read owns the radio until it ends; a scan result meanwhile would take its row away.
    if (m_scanning || !hub || !m_timer || hub->isAtConnect() || !m_timer->isActive() || !m_present || m_line)
        return;
    ui->w_process->setShow(QObject::tr("正在搜索..."));
    m_timer->stop();
    m_scanning = hub->bcScan();
}

void WidgetPagePairing::on_BcScan(const QList<BandLink::at_devinfo>& list)
{
    QLOG << "scan result";
    // The hub scans after every disconnect, the read's own among them: that result must not
    // restart the read it came from.
    if (m_line && !m_scanning)
        return;
    const QString waiting = m_line ? m_line->address() : QString();
    m_line = nullptr;
    LineWidgetPagePairing* currentRow = rowOf(ui->treeWidget->currentItem());
    const QString current = currentRow ? currentRow->address() : QString();
    m_bt = nullptr;
    clearRows();
    CoreHub* hub = Msg();
    for (int i = 0; i < list.size(); ++i) {
        const BandLink::at_devinfo& entry = list.at(i);
        QTreeWidgetItem* item = new QTreeWidgetItem(0);
        LineWidgetPagePairing* row = new LineWidgetPagePairing(nullptr);
        row->setMsg(hub);
        connect(row, SIGNAL(onBindClick(LineWidgetPagePairing*)), this, SLOT(on_BindClick(LineWidgetPagePairing*)));
        if (!waiting.isEmpty() && waiting == entry.address)
            m_line = row;
        connect(row, SIGNAL(onGetDevice(bool)), this, SLOT(on_GetDevice(bool)));
        connect(row, SIGNAL(onButton(TapCaption*,QString,QString,qint32)), this,
                SLOT(on_LineButton(TapCaption*,QString,QString,qint32)));
        QString third = entry.extra;
        bool enabled = true;
        if (hub) {
            for (const CloudGate::ns_bind_dev& band : qAsConst(m_binds)) {
                if (band.deviceAddress != entry.address)
                    continue;
                third = band.deviceSerial;
                enabled = false;
                break;
            }
        }
        row->setData(picture(kRowPicture), entry.first, entry.address, third, QObject::tr("绑定"), enabled);
        row->setTag(i + 1);
        item->setSizeHint(0, rowSize(row));
        ui->treeWidget->addTopLevelItem(item);
        ui->treeWidget->setItemWidget(item, 0, row);
        if (!current.isEmpty() && entry.address == current)
            ui->treeWidget->setCurrentItem(item);
    }
    m_scanning = false;
    QLOG << "this->m_line=" << static_cast<void*>(m_line.data());
    if (m_line) {
        // The row stays recorded until its read ends, so the hub's scans meanwhile leave it be.
        m_line->on_BindClick();
        return;
    }
    if (m_timer && !m_timer->isActive() && m_present)
        m_timer->start();
    ui->treeWidget->setEnabled(true);
}

void WidgetPagePairing::clearRows()
{
    CoreHub* hub = Msg();
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i) {
        LineWidgetPagePairing* row = rowOf(ui->treeWidget->topLevelItem(i));
        if (!row)
            continue;
        // The view deletes its item widgets later: until then an old row must neither hear
        // the hub nor reach the page.
        disconnect(row, nullptr, this, nullptr);
        if (hub)
            disconnect(hub, nullptr, row, nullptr);
        row->setMsg(nullptr);
    }
    const QSignalBlocker blocker(ui->treeWidget);
    ui->treeWidget->clear();
}

// Addresses and texts wrap in the row's narrow middle: the row is as high as the list's width needs.
QSize WidgetPagePairing::rowSize(QWidget* row) const
{
    const int width = ui->treeWidget->viewport()->width();
    return QSize(width, qMax(row->heightForWidth(width), row->minimumSizeHint().height()));
}

LineWidgetPagePairing* WidgetPagePairing::rowOf(QTreeWidgetItem* item) const
{
    if (!item)
        return nullptr;
    return qobject_cast<LineWidgetPagePairing*>(ui->treeWidget->itemWidget(item, 0));
}

void WidgetPagePairing::on_treeWidget_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (LineWidgetPagePairing* row = rowOf(current))
        row->setIco(picture(kCurrentRowPicture));
    if (LineWidgetPagePairing* row = rowOf(previous))
        row->setIco(picture(kRowPicture));
}

// ---- A row's read ----

void WidgetPagePairing::on_BindClick(LineWidgetPagePairing* w)
{
    if (!w)
        return;
    m_line = w;
    if (m_timer)
        m_timer->stop();
    ui->treeWidget->setEnabled(false);
    // During a scan the request waits for the rebuild, which hands it to the new row.
    if (!m_scanning)
        w->on_BindClick();
}

void WidgetPagePairing::on_GetDevice(const bool& state)
{
    QLOG << "state=" << state;
    m_line = nullptr;
    if (m_timer && !m_scanning && !m_timer->isActive() && m_present)
        m_timer->start();
    ui->treeWidget->setEnabled(true);
}

void WidgetPagePairing::on_LineButton(TapCaption* bt, const QString& address, const QString& number,
                                      const qint32& tag)
{
    // The row is still inside its signal: a prompt or a rebuild now would delete it under
    // its own feet. Take what it read and bind from the event loop.
    const QPointer<TapCaption> button(bt);
    QMetaObject::invokeMethod(
        this, [this, button, address, number, tag] { bindBand(button, address, number, tag); }, Qt::QueuedConnection);
}

// ---- Binding in the cloud ----

void WidgetPagePairing::bindBand(const QPointer<TapCaption>& bt, const QString& address, const QString& number,
                                 const qint32& tag)
{
    ui->prompt->clear();
    CoreHub* hub = Msg();
    if (!hub)
        return;
    QLOG << "address=" << address << " tag=" << tag;
    if (address.isEmpty() || number.isEmpty()) {
        QLOG << "nothing to bind";
        resumeSearch();
        return;
    }
    if (m_timer)
        m_timer->stop();
    m_address = address;
    m_number = number;
    m_bt = bt;
    if (m_binds.isEmpty()) {
        sendBind();
        return;
    }
    const CloudGate::ns_bind_dev held = m_binds.first();
    const QPointer<WidgetPagePairing> self(this);
    const QPointer<NoticeBox> box = new NoticeBox(this);
    box->setText(QObject::tr("解除原绑定的设备"), QObject::tr("是否解除\"%1\"设备的绑定?").arg(held.deviceAddress),
                 QObject::tr("继续请点击确定,否则点击取消"), QObject::tr("取消"), QObject::tr("确定"));
    // The address is the cloud's: markup in it must show as written, not be laid out.
    for (QLabel* label : box->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    box->move(mapToGlobal(pos()));
    ui->w_process->setShow(QObject::tr("等待中"));
    const int result = box->exec();
    // The prompt runs the event loop: the page, its hub or the prompt may be gone by now.
    if (!self)
        return;
    delete box;
    QLOG << result;
    hub = Msg();
    if (!hub)
        return;
    if (result != kPromptOk) {
        forgetBand();
        resumeSearch();
        return;
    }
    ui->treeWidget->setEnabled(false);
    connect(hub, SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevUnBind(CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    hub->nsDevUnBind(hub->nsToken(), held.deviceAddress, held.deviceSerial, CoreHub::version(), hub->LanguageString());
}

void WidgetPagePairing::sendBind()
{
    CoreHub* hub = Msg();
    ui->treeWidget->setEnabled(false);
    connect(hub, SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevBind(QDateTime,CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    hub->nsDevBind(hub->nsToken(), m_address, m_number, CoreHub::version(), hub->LanguageString());
}

void WidgetPagePairing::forgetBand()
{
    m_address.clear();
    m_number.clear();
    m_bt = nullptr;
}

void WidgetPagePairing::on_NsDevUnBind(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    QLOG << "unbind reply";
    ui->prompt->clear();
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevUnBind(CloudGate::ns_ret_code,QString)));
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        ui->prompt->setText(returnCode.retMsg);
        forgetBand();
        resumeSearch();
        return;
    }
    const bool binding = !m_address.isEmpty() && !m_number.isEmpty();
    ui->w_process->setShow(binding ? QObject::tr("正在绑定") : QString());
    hub->nsDevBindList(hub->nsToken(), CoreHub::version(), hub->LanguageString());
    if (!binding) {
        resumeSearch();
        return;
    }
    sendBind();
}

void WidgetPagePairing::on_NsDevBind(const QDateTime& bindDt, const CloudGate::ns_ret_code& returnCode,
                                     const QString& returnMsg)
{
    Q_UNUSED(bindDt)
    Q_UNUSED(returnMsg)
    QLOG << "bind reply";
    ui->prompt->clear();
    CoreHub* hub = Msg();
    if (!hub)
        return;
    ui->treeWidget->setEnabled(true);
    disconnect(hub, SIGNAL(onNsDevBind(QDateTime,CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevBind(QDateTime,CloudGate::ns_ret_code,QString)));
    if (returnCode.code == CloudGate::NS_RET_SUCCESS) {
        if (m_bt)
            m_bt->setEnabled(false);
        ui->w_process->setShow(QObject::tr("绑定成功"));
        hub->nsDevBindList(hub->nsToken(), CoreHub::version(), hub->LanguageString());
    } else {
        ui->prompt->setText(returnCode.retMsg);
    }
    forgetBand();
    resumeSearch();
}

void WidgetPagePairing::on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices,
                                         const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    QLOG << "c=" << devices.size() << ",item count=" << ui->treeWidget->topLevelItemCount();
    if (returnCode.code == CloudGate::NS_RET_SUCCESS)
        m_binds = devices;
    // The rows follow the list as it arrives, whoever asked and whatever it says.
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i) {
        LineWidgetPagePairing* row = rowOf(ui->treeWidget->topLevelItem(i));
        if (!row)
            continue;
        bool bound = false;
        for (const CloudGate::ns_bind_dev& band : devices)
            bound = bound || band.deviceAddress == row->address();
        row->setButtonEnabled(!bound);
    }
}

void WidgetPagePairing::resumeSearch()
{
    // Without the adapter the page keeps saying so; plugging it back in starts the search.
    if (!m_timer || !m_present)
        return;
    m_timer->start();
    on_search();
}
