#ifndef PAGEWEEKPICKER_H
#define PAGEWEEKPICKER_H

#include "pageweekpicker_export.h"
#include "widgetpageweekpicker.h"

// The week card as other libraries see it.
class PAGEWEEKPICKER_EXPORT PageWeekPicker : public WidgetPageWeekPicker
{
    Q_OBJECT
public:
    explicit PageWeekPicker(QWidget* parent = nullptr);
    ~PageWeekPicker() override;
};

#endif // PAGEWEEKPICKER_H
