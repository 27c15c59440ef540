#ifndef LINEWIDGETDEVICEINFO_H
#define LINEWIDGETDEVICEINFO_H

#include "widgetdevicepos.h"

#include <QDate>
#include <QString>
#include <QWidget>

namespace Ui {
class LineWidgetDeviceInfo;
}

// One bound band: address, serial and bind date.
class LineWidgetDeviceInfo : public QWidget
{
    Q_OBJECT
public:
    struct dev_info {
        QString address;
        QString serial;
        QDate date;
        WidgetDevicePos::LOCAL pos = WidgetDevicePos::LOCAL_WRIST;
    };

    explicit LineWidgetDeviceInfo(QWidget* parent = nullptr);
    ~LineWidgetDeviceInfo() override;

    void setData(const dev_info& info);
    dev_info getData() const;

private:
    dev_info m_info;
    Ui::LineWidgetDeviceInfo* ui;
};

#endif // LINEWIDGETDEVICEINFO_H
