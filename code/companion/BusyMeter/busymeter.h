#ifndef BUSYMETER_H
#define BUSYMETER_H

#include "busymeter_export.h"

#include "widgetbusymeter.h"

// The busy meter as the pages place it in their forms.
class BUSYMETER_EXPORT BusyMeter : public WidgetBusyMeter
{
    Q_OBJECT
public:
    explicit BusyMeter(QWidget* parent = nullptr);
};

#endif // BUSYMETER_H
