#ifndef WIDGETUNCOMPRESS_H
#define WIDGETUNCOMPRESS_H

#include "updatewizard_export.h"

#include "attribute.h"
#include "localvault.h"

#include <QString>
#include <QWidget>

class QTimer;

namespace Ui {
class WidgetUncompress;
}

// The unpack page of both update wizards: has the store test a downloaded package, then, one
// step of the event loop later, unpack it over the target folder, with the progress of both.
class UPDATEWIZARD_EXPORT WidgetUncompress : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetUncompress(QWidget* parent = nullptr);
    ~WidgetUncompress() override;

    bool setMsg(CoreHub* msg) override;
    // The wizard's own title for the page.
    void setTitle(const QString& title);
    void start(const QString& file, const QString& path);

signals:
    bool onClose();
    void onNext(bool state);

private slots:
    void on_timerOut();
    void on_closeClick();
    void on_cancelClick();
    void on_testFdProcess(LocalVault::process d);
    void on_updateFdProcess(LocalVault::process d);

private:
    void initData();
    void cleanUp();
    qint64 pageId() const;

    QString m_file;
    QString m_path;
    QTimer* m_timer = nullptr;
    Ui::WidgetUncompress* ui;
};

#endif // WIDGETUNCOMPRESS_H
