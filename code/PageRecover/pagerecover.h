#ifndef PAGERECOVER_H
#define PAGERECOVER_H

#include "pagerecover_export.h"
#include "widgetpagerecover.h"

// The password recovery page as the main window creates it.
class PAGERECOVER_EXPORT PageRecover : public WidgetPageRecover
{
    Q_OBJECT
public:
    explicit PageRecover(QWidget* parent = nullptr);
    ~PageRecover() override;
};

#endif // PAGERECOVER_H
