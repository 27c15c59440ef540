#ifndef PAGEENROL_H
#define PAGEENROL_H

#include "pageenrol_export.h"
#include "widgetregister.h"

// The registration wizard as the main window creates it.
class PAGEENROL_EXPORT PageEnrol : public WidgetRegister
{
    Q_OBJECT
public:
    explicit PageEnrol(QWidget* parent = nullptr);
    ~PageEnrol() override;
};

#endif // PAGEENROL_H
