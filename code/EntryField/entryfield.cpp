#include "entryfield.h"

EntryField::EntryField(QWidget* parent)
    : WidgetLineEdit(parent)
{
}
