#ifndef REMOTEPICTURE_H
#define REMOTEPICTURE_H

#include "remotepicture_export.h"

#include "attribute.h"

#include <QByteArray>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// A picture label that fetches its picture from an address, such as a user's avatar. The picture
// it was given before the first fetch (its form picture) shows whenever there is no fetched
// one: an empty or unreachable address, or bytes that are no picture. So a user without an
// avatar never sees the one of the user before. The address comes from the cloud: only the web
// is asked, and a body or picture too big for a label is dropped before it fills the memory.
class REMOTEPICTURE_EXPORT RemotePicture : public QLabel, public Attribute
{
    Q_OBJECT
public:
    // A server that accepts and then says nothing must not keep a fetch open for ever.
    static constexpr int FETCH_TIMEOUT_MS = 10000;
    // No avatar needs more; an endless body is stopped here.
    static constexpr qint64 PICTURE_MAX_BYTES = 4 * 1024 * 1024;
    // Read from the picture's header before decoding: 4096 x 4096 decodes to 64 MiB.
    static constexpr int PICTURE_MAX_SIDE = 4096;

    explicit RemotePicture(QWidget* parent = nullptr);
    ~RemotePicture() override;

    // Fetches the picture at the address; a newer address replaces a fetch still under way.
    void setBgImg(const QString& address);

signals:
    void on_click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private slots:
    void on_progress(qint64 received, qint64 total);
    void on_readyRead();
    void on_fetched();

private:
    void dropFetch();
    void dropLongBody(const qint64& received, const qint64& total);
    void showFormPicture();
    void showFetched(const QByteArray& bytes, const QString& url);

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QByteArray m_body;  // of the fetch under way, read as it arrives
    QPixmap m_formPicture;
    bool m_formPictureKept = false;
};

#endif // REMOTEPICTURE_H
