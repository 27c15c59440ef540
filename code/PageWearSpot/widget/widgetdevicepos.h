#ifndef WIDGETDEVICEPOS_H
#define WIDGETDEVICEPOS_H

#include "pagewearspot_export.h"

#include "attribute.h"
#include "cloudgate.h"

#include <QString>
#include <QWidget>

namespace Ui {
class WidgetDevicePos;
}

// Where the band is worn, in display order. The cloud numbers neck and waist the other way
// round, so every value that crosses to the cloud goes through posLtoN/posNtoL.
class PAGEWEARSPOT_EXPORT WidgetDevicePos : public QWidget, public Attribute
{
    Q_OBJECT
public:
    // A fixed underlying type: a value from outside (a cast cloud number) may be out of range.
    enum LOCAL : qint32 { LOCAL_WRIST = 0, LOCAL_NECK = 1, LOCAL_WAIST = 2, LOCAL_ANKLE = 3 };

    explicit WidgetDevicePos(QWidget* parent = nullptr);
    ~WidgetDevicePos() override;

    void setLocal(const LOCAL& local);
    void setIcoMaxWH(const int& w, const int& h);
    LOCAL devPos() const;
    void getSync();
    void setSync();

    static QString posName(const LOCAL& local);
    static LOCAL posNtoL(const CloudGate::NS_DEV_POS_LIST& n);
    static CloudGate::NS_DEV_POS_LIST posLtoN(const LOCAL& l);

signals:
    void onDone();
    void onGetSync(bool state, QString prompt);
    void onSetSync(bool state, QString prompt);

protected slots:
    void on_Click(bool state, qint32 flag);
    void on_DoneClick();
    void on_NsDevUsePos(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

private:
    void initData();

    Ui::WidgetDevicePos* ui;
    LOCAL m_local = LOCAL_WRIST;
};

#endif // WIDGETDEVICEPOS_H
