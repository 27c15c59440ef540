#ifndef PAGEMENU_H
#define PAGEMENU_H

#include "pagemenu_export.h"
#include "widgetnavigate.h"

// The navigation column as the main window creates it.
class PAGEMENU_EXPORT PageMenu : public WidgetNavigate
{
    Q_OBJECT
public:
    explicit PageMenu(QWidget* parent = nullptr);
    ~PageMenu() override;
};

#endif // PAGEMENU_H
