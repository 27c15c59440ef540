#ifndef PAGEWEARSPOT_H
#define PAGEWEARSPOT_H

#include "pagewearspot_export.h"
#include "widgetdevicepos.h"

// The wear-position chooser as other libraries see it.
class PAGEWEARSPOT_EXPORT PageWearSpot : public WidgetDevicePos
{
public:
    explicit PageWearSpot(QWidget* parent = nullptr);
    ~PageWearSpot() override;
};

#endif // PAGEWEARSPOT_H
