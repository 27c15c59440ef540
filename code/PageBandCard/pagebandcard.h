#ifndef PAGEBANDCARD_H
#define PAGEBANDCARD_H

#include "pagebandcard_export.h"
#include "widgetdeviceinfo.h"

// The bound-band card as other libraries see it.
class PAGEBANDCARD_EXPORT PageBandCard : public WidgetDeviceInfo
{
    Q_OBJECT
public:
    explicit PageBandCard(QWidget* parent = nullptr);
    ~PageBandCard() override;
};

#endif // PAGEBANDCARD_H
