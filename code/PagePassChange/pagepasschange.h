#ifndef PAGEPASSCHANGE_H
#define PAGEPASSCHANGE_H

#include "pagepasschange_export.h"
#include "widgetpagepasschange.h"

// The password change page as the user tab holds it.
class PAGEPASSCHANGE_EXPORT PagePassChange : public WidgetPagePassChange
{
    Q_OBJECT
public:
    explicit PagePassChange(QWidget* parent = nullptr);
    ~PagePassChange() override;
};

#endif // PAGEPASSCHANGE_H
