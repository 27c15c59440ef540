#include "widgetdeviceinfo.h"
#include "ui_widgetdeviceinfo.h"

#include "corehub.h"
#include "resource.h"
#include "tapcaption.h"
#include "trace.h"
#include "widgetdevicepos.h"
#include "widgetunbinddevice.h"

#include <QTreeWidget>

namespace {

const Resource::ID kButtonFirst = 33;

// An empty serial names no band: bands without serial are told apart by address alone.
bool sameBand(const CloudGate::ns_bind_dev& cached, const LineWidgetDeviceInfo::dev_info& band)
{
    return cached.deviceAddress == band.address || (!band.serial.isEmpty() && cached.deviceSerial == band.serial);
}

} // namespace

WidgetDeviceInfo::WidgetDeviceInfo(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetDeviceInfo)
{
    ui->setupUi(this);
    initData();
}

WidgetDeviceInfo::~WidgetDeviceInfo()
{
    disconnect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_unbindClick()));
    delete ui;
}

void WidgetDeviceInfo::initData()
{
    ui->bt_done->setEnabled(false);
    ui->bt_done->setCaption(QObject::tr("解绑"));
    ui->bt_done->setStateImages(Resource::getResPath(kButtonFirst), Resource::getResPath(kButtonFirst + 1),
                                Resource::getResPath(kButtonFirst + 2));
    ui->bt_done->setCursor(Qt::PointingHandCursor);
    connect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_unbindClick()));
}

bool WidgetDeviceInfo::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    if (!msg)
        return result;
    // Kept for the page's life: a list another page asked for rebuilds the rows too.
    connect(msg, SIGNAL(onNsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevBindList(QList<CloudGate::ns_bind_dev>,CloudGate::ns_ret_code,QString)),
            Qt::UniqueConnection);
    msg->nsDevBindList(msg->nsToken(), CoreHub::version(), msg->LanguageString());
    return result;
}

bool WidgetDeviceInfo::addLine(const LineWidgetDeviceInfo::dev_info& info)
{
    if (info.address.isEmpty())
        return false;
    auto* row = new LineWidgetDeviceInfo();
    row->setData(info);
    auto* item = new QTreeWidgetItem(0);
    ui->treeWidget->addTopLevelItem(item);
    ui->treeWidget->setItemWidget(item, 0, row);
    return true;
}

void WidgetDeviceInfo::on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices,
                                        const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub || returnCode.code != 0)
        return;
    hub->setNsBinds(devices);
    ui->bt_done->setEnabled(false);
    ui->treeWidget->clear();
    for (const CloudGate::ns_bind_dev& device : devices) {
        LineWidgetDeviceInfo::dev_info info;
        info.address = device.deviceAddress;
        info.serial = device.deviceSerial;
        info.date = device.bindDt.date();
        info.pos = WidgetDevicePos::posNtoL(device.position);
        addLine(info);
    }
}

void WidgetDeviceInfo::on_treeWidget_itemClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column)
    // The reply of an outstanding unbind enables the button again.
    ui->bt_done->setEnabled(item && !m_unbinding);
}

void WidgetDeviceInfo::centreOnMainWindow(QWidget& dialog)
{
    auto* main = static_cast<QWidget*>(Msg()->mainWin());
    if (!main)
        return;
    const QRect frame = main->geometry();
    const QRect own = dialog.geometry();
    dialog.move(main->pos().x() + (frame.width() - own.width()) / 2,
                main->pos().y() + (frame.height() - own.height()) / 2);
}

void WidgetDeviceInfo::on_unbindClick()
{
    WidgetUnBindDevice dialog;
    CoreHub* hub = Msg();
    if (!hub || m_unbinding)
        return;
    centreOnMainWindow(dialog);
    QTreeWidgetItem* item = ui->treeWidget->currentItem();
    if (!item) {
        ui->bt_done->setEnabled(false);
        return;
    }
    auto* row = qobject_cast<LineWidgetDeviceInfo*>(ui->treeWidget->itemWidget(item, 0));
    if (!row) {
        ui->bt_done->setEnabled(true);
        return;
    }
    const LineWidgetDeviceInfo::dev_info band = row->getData();
    ui->bt_done->setEnabled(false);
    if (dialog.exec() != 1 || !Msg()) {
        ui->bt_done->setEnabled(true);
        return;
    }
    m_unbinding = true;
    m_unbound = band;
    connect(hub, SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevUnBind(CloudGate::ns_ret_code,QString)));
    hub->nsDevUnBind(hub->nsToken(), band.address, band.serial, CoreHub::version(), hub->LanguageString());
}

void WidgetDeviceInfo::on_NsDevUnBind(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    ui->bt_done->setEnabled(true);
    m_unbinding = false;
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsDevUnBind(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevUnBind(CloudGate::ns_ret_code,QString)));
    QLOG << "code=" << returnCode.code << ",address=" << m_unbound.address;
    if (returnCode.code != 0)
        return;
    removeBand(m_unbound);
    if (!ui->treeWidget->currentItem())
        ui->bt_done->setEnabled(false);
    hub->nsDevBindList(hub->nsToken(), CoreHub::version(), hub->LanguageString());
}

// Drops the requested band, not whichever row is current now: rows may have changed meanwhile.
void WidgetDeviceInfo::removeBand(const LineWidgetDeviceInfo::dev_info& band)
{
    CoreHub* hub = Msg();
    QList<CloudGate::ns_bind_dev> binds = hub->nsBinds();
    for (int i = binds.size() - 1; i >= 0; --i) {
        if (sameBand(binds.at(i), band))
            binds.removeAt(i);
    }
    hub->setNsBinds(binds);
    for (int i = ui->treeWidget->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* item = ui->treeWidget->topLevelItem(i);
        auto* row = qobject_cast<LineWidgetDeviceInfo*>(ui->treeWidget->itemWidget(item, 0));
        if (row && row->getData().address == band.address && row->getData().serial == band.serial)
            delete item;
    }
}
