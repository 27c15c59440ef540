#ifndef WIDGETPAGEPAIRING_H
#define WIDGETPAGEPAIRING_H

#include "attribute.h"
#include "bandlink.h"
#include "cloudgate.h"

#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

class LineWidgetPagePairing;
class QTimer;
class QTreeWidgetItem;
class TapCaption;

namespace Ui {
class WidgetPagePairing;
}

// Lists the bands the adapter finds, has the chosen band's row read its device id and binds
// that band to the signed-in account, unbinding the account's band first when it holds one.
class WidgetPagePairing : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPagePairing(QWidget* parent = nullptr);
    ~WidgetPagePairing() override;

    bool setMsg(CoreHub* msg) override;

protected:
    void initData();

protected slots:
    void on_BindClick(LineWidgetPagePairing* w);
    void on_GetDevice(const bool& state);
    void on_UsbBusy(const bool& status, const QString& name);
    void on_search();
    void on_UsbConn();
    void on_UsbUnConn();
    void on_BcScan(const QList<BandLink::at_devinfo>& list);
    void on_LineButton(TapCaption* bt, const QString& address, const QString& number, const qint32& tag);
    void on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices, const CloudGate::ns_ret_code& returnCode,
                          const QString& returnMsg);
    void on_NsDevUnBind(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsDevBind(const QDateTime& bindDt, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_treeWidget_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

private:
    // Runs from the event loop, after the row that read the band has left its signal: a prompt
    // or a rebuild may then delete that row without harm.
    void bindBand(const QPointer<TapCaption>& bt, const QString& address, const QString& number, const qint32& tag);
    void sendBind();
    void forgetBand();
    // Every row goes, and with it every connection it has to the hub and the page.
    void clearRows();
    void resumeSearch();
    LineWidgetPagePairing* rowOf(QTreeWidgetItem* item) const;
    QSize rowSize(QWidget* row) const;

    QTimer* m_timer = nullptr;
    QPointer<TapCaption> m_bt;
    // The band being bound: kept across rebuilds until its binding has ended.
    QString m_address;
    QString m_number;
    bool m_scanning = false;
    // The account's bands as last heard: the hub's cache at activation, then every bind list
    // that arrives, so a band bound or unbound here is marked right at the next rebuild.
    QList<CloudGate::ns_bind_dev> m_binds;
    QPointer<LineWidgetPagePairing> m_line;
    // Without the adapter nothing scans: what the page shows stays "removed".
    bool m_present = false;
    Ui::WidgetPagePairing* ui;
};

#endif // WIDGETPAGEPAIRING_H
