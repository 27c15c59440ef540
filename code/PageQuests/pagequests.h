#ifndef PAGEQUESTS_H
#define PAGEQUESTS_H

#include "pagequests_export.h"
#include "widget/widgetpagequests.h"

// The task-system tab: the cloud's task list page in a web view.
class PAGEQUESTS_EXPORT PageQuests : public WidgetPageQuests
{
    Q_OBJECT
public:
    explicit PageQuests(QWidget* parent = nullptr);
};

#endif // PAGEQUESTS_H
