#ifndef WIDGETNAVIGATE_H
#define WIDGETNAVIGATE_H

#include "attribute.h"
#include "cloudgate.h"
#include "pagemenu_export.h"

#include <QWidget>

class QTreeWidgetItem;

namespace Ui {
class WidgetNavigate;
}

// The column left of the pages once a user is signed in: avatar, nickname, the logout button and
// the six entries. Every choice goes out as onItemChanged(current, previous), with 6 for the user
// and -1 for no entry; the page container shows the tab of that number.
class PAGEMENU_EXPORT WidgetNavigate : public QWidget, public Attribute
{
    Q_OBJECT
public:
    enum ITEM { ITEM_NONE = -1, ITEM_TODAY = 0, ITEM_BAND = 2, ITEM_USER = 6 };

    explicit WidgetNavigate(QWidget* parent = nullptr);
    ~WidgetNavigate() override;

    bool setMsg(CoreHub* msg) override;

signals:
    void onItemChanged(const int& current, const int& previous);
    void onLogout();

protected slots:
    void updateLanguage();
    void on_gotoScan();
    void on_LogoutClick();
    void on_UserClick();
    void on_NsAccountUpdate();

private slots:
    void on_NsLogout(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    // Connected by name by the form.
    void on_treeWidget_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);

private:
    void buildList();
    void styleItem(QTreeWidgetItem* item, const bool& current);

    Ui::WidgetNavigate* ui;
};

#endif // WIDGETNAVIGATE_H
