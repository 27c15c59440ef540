#ifndef WIDGETDOWNLOAD_H
#define WIDGETDOWNLOAD_H

#include "attribute.h"
#include "wirecodec.h"

#include <QByteArray>
#include <QWidget>

namespace Ui {
class WidgetDownLoad;
}

// Sends a firmware image to the band in long packs of 1020 bytes, each acknowledged before the
// next goes; the band's answer to the last control packet says whether it installed the image.
class WidgetDownLoad : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetDownLoad(QWidget* parent = nullptr);
    ~WidgetDownLoad() override;

    bool setMsg(CoreHub* msg) override;

public slots:
    void start(const QByteArray& image);
    // Starts the transfer; also the retry after a failure.
    void on_okClick();
    void on_closeClick();
    void on_cancelClick();

signals:
    bool onClose();
    void onNext(bool state);

private slots:
    void On_BhFirmStartRev(const WireCodec::bs_pack& pack);
    void On_BhFirmwareLong(const WireCodec::bs_pack& pack);
    void On_BhLongCtr(const WireCodec::bs_pack& pack);
    void on_linkLost();
    void on_bandError(const WireCodec::bs_pack_error& error);

private:
    void initData();
    void sendPack();
    void send(const QByteArray& packet);
    void showProgress();
    void fail();
    // Lets go of every band answer: nothing the band says later drives this page.
    void stopListening();

    QByteArray m_image;
    qint64 m_sent = 0;
    // 1-based index of the next long pack, and how many the image has. The index goes one past
    // the last pack, which 16 bits cannot hold after pack 65535.
    int m_packIndex = 1;
    int m_packCount = 0;
    Ui::WidgetDownLoad* ui;
};

#endif // WIDGETDOWNLOAD_H
