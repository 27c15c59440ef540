#ifndef LINEWIDGETDEVICEINFO_H
#define LINEWIDGETDEVICEINFO_H

#include "widgetdevicepos.h"

#include <QDate>
#include <QString>
#include <QWidget>

class QDialog;

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

protected slots:
    // The position is chosen in a popup and only shown on the row; it is never sent.
    void on_pos_click();
    void on_closeSelectPos();

private:
    dev_info m_info;
    QDialog* m_selectPos = nullptr;  // stays null: a click outside the popup is what ends it
    Ui::LineWidgetDeviceInfo* ui;
};

#endif // LINEWIDGETDEVICEINFO_H
