#ifndef WIDGETDOWNLOAD_H
#define WIDGETDOWNLOAD_H

#include "attribute.h"

#include <QString>
#include <QUrl>
#include <QWidget>

class QFile;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace Ui {
class WidgetDownLoad;
}

// Third page of the program update: asks the server for the package's size and name (HEAD),
// downloads it (GET) into a folder of its own under the store's download root and hands the
// file on for unpacking into the program's folder. The folder goes when the page goes.
class WidgetDownLoad : public QWidget, public Attribute
{
    Q_OBJECT
    // Milliseconds a download may go without a byte before it counts as failed.
    Q_PROPERTY(int stallMs MEMBER m_stallMs)
public:
    explicit WidgetDownLoad(QWidget* parent = nullptr);
    ~WidgetDownLoad() override;

    // Only keeps the hub: the page needs it for the store's download root.
    bool setMsg(CoreHub* msg) override;
    // The wizard's entry: stores the package's address and starts at once.
    void setValue(const QString& url);

    // "0B", "1.5KB", "1.02MB", "2.500GB": limits of 1024 x 1000^k over divisors of 1000^k.
    static QString sizeText(const qint64& bytes);

signals:
    bool onClose();
    void onNext(QString file, QString path);

private slots:
    void on_closeClick();
    void on_cancelClick();
    void on_okClick();
    void on_gethead();
    void on_readyRead();
    void on_finished();
    void on_stalled();

private:
    void initData();
    void getHead(const QUrl& url);
    void getData(const QUrl& url, const QString& file);
    void resetDownload();
    bool downloadComplete();
    void showProgress(const qint64& current, const qint64& speed);
    qint64 progressTotal() const;
    qint64 bodyCap() const;
    bool takeBody();
    void failDownload(const QString& text);
    void removeFolder();

    QString m_file;
    QString m_appDir;
    QString m_url;
    QFile* m_package = nullptr;
    QNetworkAccessManager* m_network = nullptr;
    QNetworkReply* m_reply = nullptr;
    qint64 m_total = 0;
    qint64 m_lastTime = 0;
    qint64 m_lastBytes = 0;
    QString m_folder;
    // The download root m_folder was made under; only a folder inside it is ever deleted.
    QString m_root;
    // Whether the GET went to the HEAD's Location, whose own length the HEAD did not give.
    bool m_redirected = false;
    qint64 m_received = 0;
    bool m_writeFailed = false;
    QTimer* m_stallTimer = nullptr;
    int m_stallMs = 30000;
    Ui::WidgetDownLoad* ui;
};

#endif // WIDGETDOWNLOAD_H
