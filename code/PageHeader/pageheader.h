#ifndef PAGEHEADER_H
#define PAGEHEADER_H

#include "pageheader_export.h"
#include "widgettop.h"

// The title bar as the main window creates it.
class PAGEHEADER_EXPORT PageHeader : public WidgetTop
{
    Q_OBJECT
public:
    explicit PageHeader(QWidget* parent = nullptr);
    ~PageHeader() override;
};

#endif // PAGEHEADER_H
