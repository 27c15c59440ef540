#ifndef REMOTEPICTURE_H
#define REMOTEPICTURE_H

#include "remotepicture_export.h"

#include "attribute.h"

#include <QLabel>
#include <QPointer>
#include <QString>

class QNetworkAccessManager;
class QNetworkReply;

// A picture label that fetches its picture from an address, such as a user's avatar. Whatever
// the label showed before (its form picture) stays until a real picture has arrived.
class REMOTEPICTURE_EXPORT RemotePicture : public QLabel, public Attribute
{
    Q_OBJECT
public:
    // A server that accepts and then says nothing must not keep a fetch open for ever.
    static constexpr int FETCH_TIMEOUT_MS = 10000;

    explicit RemotePicture(QWidget* parent = nullptr);

    // Fetches the picture at the address; a newer address replaces a fetch still under way.
    void setBgImg(const QString& address);

signals:
    void on_click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private slots:
    void on_fetched();

private:
    void dropFetch();

    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};

#endif // REMOTEPICTURE_H
