#ifndef DATEPICKER_H
#define DATEPICKER_H

#include "datepicker_export.h"

#include "dialogdatepicker.h"

// The calendar as the date cards open it.
class DATEPICKER_EXPORT DatePicker : public DialogDatePicker
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
};

#endif // DATEPICKER_H
