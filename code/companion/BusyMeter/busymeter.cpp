#include "busymeter.h"

BusyMeter::BusyMeter(QWidget* parent)
    : WidgetBusyMeter(parent)
{
}
