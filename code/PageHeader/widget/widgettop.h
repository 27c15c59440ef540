#ifndef WIDGETTOP_H
#define WIDGETTOP_H

#include "attribute.h"
#include "pageheader_export.h"

#include <QWidget>

namespace Ui {
class WidgetTop;
}

// The head strip of the frameless main window: help, minimise and close. It only announces
// what was clicked; the main window decides what happens.
class PAGEHEADER_EXPORT WidgetTop : public QWidget, public Attribute
{
    Q_OBJECT
public:
    enum STATE { STATE_MIN = 1, STATE_CLOSE = 2, STATE_HELP = 3 };
    Q_ENUM(STATE)

    explicit WidgetTop(QWidget* parent = nullptr);
    ~WidgetTop() override;

    bool setMsg(CoreHub* msg) override;

signals:
    // Spelled qualified: the main window connects it by the text "onTopState(WidgetTop::STATE)".
    void onTopState(const WidgetTop::STATE& state);

protected slots:
    void on_bt_min_click();
    void on_bt_close_click();
    void on_bt_help_click();

private:
    void paintBackground();

    Ui::WidgetTop* ui;
};

#endif // WIDGETTOP_H
