#include "widgetdownload.h"
#include "ui_widgetdownload.h"

#include "corehub.h"
#include "resource.h"
#include "trace.h"

#include <QtEndian>

#include <cstring>

namespace {

const int kPackSize = 1020;
const int kPayload = 17;
const quint8 kCmd = 0x5A;
const quint8 kSubStart = 0x11;
const quint8 kSubLong = 0x05;
const quint8 kHeaderSerial = 0x01;
const quint8 kPackEnd = 0xFE;
const quint8 kImageEnd = 0xFF;
// Pack indexes and counts travel in 16 bits: the largest image the cloud may deliver must fit.
static_assert(CloudGate::FIRMWARE_IMAGE_MAX <= qint64(0xFFFF) * kPackSize, "a pack index the wire cannot carry");

QByteArray packet(const quint8& sub, const quint8& serial)
{
    QByteArray bytes(WireCodec::packetSize, '\0');
    bytes[0] = char(kCmd);
    bytes[1] = char(sub);
    bytes[2] = char(serial);
    return bytes;
}

void putWord(QByteArray& bytes, const int& at, const quint16& value)
{
    qToBigEndian<quint16>(value, reinterpret_cast<uchar*>(bytes.data()) + at);
}

} // namespace

WidgetDownLoad::WidgetDownLoad(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetDownLoad)
{
    ui->setupUi(this);
    initData();
}

WidgetDownLoad::~WidgetDownLoad()
{
    delete ui;
}

void WidgetDownLoad::initData()
{
    ui->bt_close->setStateImages(Resource::getResPath(11), Resource::getResPath(12), Resource::getResPath(13));
    ui->bt_cancel->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->bt_ok->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->label_title->setText(tr("固件更新(下载)"));
    ui->label_text->setText(tr("正在更新..."));
    ui->bt_cancel->setCaption(tr("取消"));
    ui->bt_ok->setCaption(tr("重试"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

bool WidgetDownLoad::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetDownLoad::start(const QByteArray& image)
{
    m_image = image;
    on_okClick();
}

void WidgetDownLoad::on_okClick()
{
    ui->bt_ok->setEnabled(false);
    stopListening();
    m_sent = 0;
    CoreHub* hub = Msg();
    // An empty image has no packs; one past 65535 packs cannot be counted on the wire.
    if (!hub || m_image.isEmpty() || m_image.size() > CloudGate::FIRMWARE_IMAGE_MAX) {
        QLOG << "image refused, size=" << m_image.size();
        fail();
        return;
    }
    ui->label_text->setText(tr("正在更新..."));
    QByteArray start = packet(kSubStart, 0x00);
    qToBigEndian<quint32>(quint32(m_image.size()), reinterpret_cast<uchar*>(start.data()) + 3);
    putWord(start, 7, WireCodec::crcCCITT(m_image));
    putWord(start, 9, kPackSize);
    connect(hub, SIGNAL(onBcDisconn(bool)), this, SLOT(on_linkLost()));
    connect(hub, SIGNAL(onBhError(WireCodec::bs_pack_error)), this, SLOT(on_bandError(WireCodec::bs_pack_error)));
    connect(hub, SIGNAL(onBhFirmRev(WireCodec::bs_pack)), this, SLOT(On_BhFirmStartRev(WireCodec::bs_pack)));
    send(start);
}

void WidgetDownLoad::on_closeClick()
{
    stopListening();
    emit onClose();
}

void WidgetDownLoad::on_cancelClick()
{
    stopListening();
    emit onClose();
}

void WidgetDownLoad::On_BhFirmStartRev(const WireCodec::bs_pack& pack)
{
    Q_UNUSED(pack)
    disconnect(Msg(), SIGNAL(onBhFirmRev(WireCodec::bs_pack)), this, SLOT(On_BhFirmStartRev(WireCodec::bs_pack)));
    m_packCount = (m_image.size() + kPackSize - 1) / kPackSize;
    m_packIndex = 1;
    sendPack();
}

void WidgetDownLoad::sendPack()
{
    const int offset = (m_packIndex - 1) * kPackSize;
    const QByteArray slice = m_image.mid(offset, kPackSize);
    connect(Msg(), SIGNAL(onBhFirmwareLong(WireCodec::bs_pack)), this, SLOT(On_BhFirmwareLong(WireCodec::bs_pack)));

    QByteArray header = packet(kSubLong, kHeaderSerial);
    putWord(header, 3, quint16(slice.size()));
    putWord(header, 5, quint16(m_packIndex));
    putWord(header, 7, WireCodec::crcCCITT(slice));
    header[9] = char(kPayload);
    send(header);

    const bool last = m_packIndex == m_packCount;
    const int count = (slice.size() + kPayload - 1) / kPayload;
    for (int i = 0; i < count; ++i) {
        const quint8 serial = i + 1 < count ? quint8(i + 2) : (last ? kImageEnd : kPackEnd);
        QByteArray data = packet(kSubLong, serial);
        const QByteArray payload = slice.mid(i * kPayload, kPayload);
        data.replace(3, payload.size(), payload);
        m_sent += payload.size();
        send(data);
        showProgress();
    }
    ++m_packIndex;
}

void WidgetDownLoad::On_BhFirmwareLong(const WireCodec::bs_pack& pack)
{
    CoreHub* hub = Msg();
    disconnect(hub, SIGNAL(onBhFirmwareLong(WireCodec::bs_pack)), this, SLOT(On_BhFirmwareLong(WireCodec::bs_pack)));
    QByteArray control = packet(kSubLong, 0x00);
    control[3] = char(pack.data[3]);
    control[4] = char(pack.data[4]);
    connect(hub, SIGNAL(onBhLongCtr(WireCodec::bs_pack)), this, SLOT(On_BhLongCtr(WireCodec::bs_pack)));
    send(control);
}

void WidgetDownLoad::On_BhLongCtr(const WireCodec::bs_pack& pack)
{
    disconnect(Msg(), SIGNAL(onBhLongCtr(WireCodec::bs_pack)), this, SLOT(On_BhLongCtr(WireCodec::bs_pack)));
    QLOG << "g_packIndex=" << m_packIndex << ",longPackNum=" << m_packCount;
    if (m_packIndex <= m_packCount) {
        sendPack();
        return;
    }
    if (pack.data[3] != 0xFF || pack.data[4] != 0xFF) {
        fail();
        return;
    }
    stopListening();
    ui->progressBar->setValue(100);
    ui->label_text->setText(tr("固件更新完成."));
    emit onNext(true);
}

void WidgetDownLoad::on_linkLost()
{
    QLOG << "band link lost during the transfer";
    fail();
}

void WidgetDownLoad::on_bandError(const WireCodec::bs_pack_error& error)
{
    QLOG << "band error, cmd=" << error.cmd << ",sub=" << error.sub << ",type=" << error.type;
    fail();
}

void WidgetDownLoad::send(const QByteArray& bytes)
{
    WireCodec::bs_pack pack;
    std::memcpy(pack.data, bytes.constData(), sizeof(pack.data));
    Msg()->bhFirmwareSend(pack);
}

void WidgetDownLoad::showProgress()
{
    ui->progressBar->setValue(int(m_sent * 100 / m_image.size()));
}

void WidgetDownLoad::fail()
{
    stopListening();
    ui->label_text->setText(tr("固件更新失败,请重试!"));
    ui->bt_ok->setEnabled(true);
}

void WidgetDownLoad::stopListening()
{
    CoreHub* hub = Msg();
    if (hub)
        disconnect(hub, nullptr, this, nullptr);
}
