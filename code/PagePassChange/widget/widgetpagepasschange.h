#ifndef WIDGETPAGEPASSCHANGE_H
#define WIDGETPAGEPASSCHANGE_H

#include "attribute.h"
#include "cloudgate.h"

#include <QString>
#include <QWidget>

class QKeyEvent;

namespace Ui {
class WidgetPagePassChange;
}

// Replaces the account's password: the old one is confirmed by the cloud before the new one is
// set. Keeps Attribute::setMsg: nothing happens until the user saves. Not exported: the
// library's own class PagePassChange is its face.
class WidgetPagePassChange : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPagePassChange(QWidget* parent = nullptr);
    ~WidgetPagePassChange() override;

    void initData();
    void showToolTip(QWidget* anchor, const QString& text);

protected slots:
    void on_NsResetPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsCheckPwd(const QString& token, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_cancelClick();
    void on_saveClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool checkEntries(const QString& old, const QString& fresh, const QString& repeat);

    Ui::WidgetPagePassChange* ui;
};

#endif // WIDGETPAGEPASSCHANGE_H
