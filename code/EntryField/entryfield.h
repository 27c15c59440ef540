#ifndef ENTRYFIELD_H
#define ENTRYFIELD_H

#include "entryfield_export.h"

#include "widgetlineedit.h"

// The input field as the pages place it in their forms.
class ENTRYFIELD_EXPORT EntryField : public WidgetLineEdit
{
    Q_OBJECT
public:
    explicit EntryField(QWidget* parent = nullptr);
};

#endif // ENTRYFIELD_H
