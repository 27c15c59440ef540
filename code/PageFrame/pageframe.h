#ifndef PAGEFRAME_H
#define PAGEFRAME_H

#include "pageframe_export.h"
#include "widgetbody.h"

// The page container as the main window creates it.
class PAGEFRAME_EXPORT PageFrame : public WidgetBody
{
    Q_OBJECT
public:
    explicit PageFrame(QWidget* parent = nullptr);
    ~PageFrame() override;
};

#endif // PAGEFRAME_H
