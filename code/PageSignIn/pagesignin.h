#ifndef PAGESIGNIN_H
#define PAGESIGNIN_H

#include "pagesignin_export.h"
#include "widgetlogin.h"

// The sign-in page as the main window creates it.
class PAGESIGNIN_EXPORT PageSignIn : public WidgetLogin
{
    Q_OBJECT
public:
    explicit PageSignIn(QWidget* parent = nullptr);
    ~PageSignIn() override;
};

#endif // PAGESIGNIN_H
