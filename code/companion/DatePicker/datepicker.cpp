#include "datepicker.h"

DatePicker::DatePicker(QWidget* parent)
    : DialogDatePicker(parent)
{
}
