#ifndef WIDGETPAGEQUESTS_H
#define WIDGETPAGEQUESTS_H

#include "attribute.h"
#include "pagequests_export.h"

#include <QWidget>

class QWebView;

namespace Ui {
class WidgetPageQuests;
}

// Shows the task list that the cloud renders; every activation with a hub posts the user's
// token again and replaces what the view shows.
class PAGEQUESTS_EXPORT WidgetPageQuests : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageQuests(QWidget* parent = nullptr);
    ~WidgetPageQuests() override;

    bool setMsg(CoreHub* msg) override;
    void printSize();

private:
    void initData();

    QWebView* m_webView = nullptr;
    Ui::WidgetPageQuests* ui;
};

#endif // WIDGETPAGEQUESTS_H
