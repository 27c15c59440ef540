#ifndef PAGEHARVESTRUN_H
#define PAGEHARVESTRUN_H

#include "pageharvestrun_export.h"
#include "widgetpageharvestrun.h"

// The sync-now page as other libraries see it.
class PAGEHARVESTRUN_EXPORT PageHarvestRun : public WidgetPageHarvestRun
{
    Q_OBJECT
public:
    explicit PageHarvestRun(QWidget* parent = nullptr);
    ~PageHarvestRun() override;
};

#endif // PAGEHARVESTRUN_H
