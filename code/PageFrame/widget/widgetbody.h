#ifndef WIDGETBODY_H
#define WIDGETBODY_H

#include "attribute.h"
#include "cloudgate.h"
#include "localvault.h"
#include "pageframe_export.h"

#include <QWidget>

class PageQuests;

namespace Ui {
class WidgetBody;
}

// The home screen's pages, one tab per navigation entry (0 today ... 5 tasks, 6 the user). The
// today tab's two cards are filled here from the hub's day records.
class PAGEFRAME_EXPORT WidgetBody : public QWidget, public Attribute
{
    Q_OBJECT
public:
    enum TAB { TAB_TODAY, TAB_BMI, TAB_BAND, TAB_STATISTICS, TAB_SYNC, TAB_TASKS, TAB_USER };

    explicit WidgetBody(QWidget* parent = nullptr);
    ~WidgetBody() override;

    bool setMsg(CoreHub* msg) override;

    // Share of the target reached, 0 to 100: full once the value passes the target, whatever
    // the target; nothing of a target of 0 or less otherwise.
    static unsigned char sdPercent(const double& value, const double& target);

public slots:
    void on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NavigateItemChanged(const int& current, const int& previous);

protected slots:
    void on_FdStepDay(const LocalVault::step_mem_data& d);
    void on_FdSleepDay(const LocalVault::sleep_mem_data& d);

private:
    void refreshToday();
    bool isToday(const LocalVault::table_entry& entry) const;

    PageQuests* m_quests = nullptr;
    Ui::WidgetBody* ui;
};

#endif // WIDGETBODY_H
