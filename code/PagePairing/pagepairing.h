#ifndef PAGEPAIRING_H
#define PAGEPAIRING_H

#include "pagepairing_export.h"
#include "widgetpagepairing.h"

// The pairing page as other libraries see it.
class PAGEPAIRING_EXPORT PagePairing : public WidgetPagePairing
{
    Q_OBJECT
public:
    explicit PagePairing(QWidget* parent = nullptr);
    ~PagePairing() override;
};

#endif // PAGEPAIRING_H
