#ifndef WIDGETDEVICEINFO_H
#define WIDGETDEVICEINFO_H

#include "pagebandcard_export.h"

#include "attribute.h"
#include "cloudgate.h"
#include "linewidgetdeviceinfo.h"

#include <QList>
#include <QString>
#include <QWidget>

class QTreeWidgetItem;

namespace Ui {
class WidgetDeviceInfo;
}

// The bands bound to the account, one row each, and the unbinding of one of them.
class PAGEBANDCARD_EXPORT WidgetDeviceInfo : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetDeviceInfo(QWidget* parent = nullptr);
    ~WidgetDeviceInfo() override;

    bool setMsg(CoreHub* msg) override;
    bool addLine(const LineWidgetDeviceInfo::dev_info& info);

private slots:
    void on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices, const CloudGate::ns_ret_code& returnCode,
                          const QString& returnMsg);
    void on_treeWidget_itemClicked(QTreeWidgetItem* item, int column);
    void on_unbindClick();
    void on_NsDevUnBind(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

private:
    void initData();
    void centreOnMainWindow(QWidget& dialog);
    void removeBand(const LineWidgetDeviceInfo::dev_info& band);

    Ui::WidgetDeviceInfo* ui;
    bool m_unbinding = false;
    LineWidgetDeviceInfo::dev_info m_unbound;  // the band of the outstanding unbind request
};

#endif // WIDGETDEVICEINFO_H
