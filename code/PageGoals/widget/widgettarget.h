#ifndef WIDGETTARGET_H
#define WIDGETTARGET_H

#include "attribute.h"
#include "cloudgate.h"
#include "pagegoals_export.h"

#include <QWidget>

namespace Ui {
class WidgetTarget;
}

// Proposes the daily step and sleep targets (the cloud's recommendations, else the hub's
// defaults) and sends them; hosts hear every outcome through onGetSync and onSetSync.
class PAGEGOALS_EXPORT WidgetTarget : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetTarget(QWidget* parent = nullptr);
    WidgetTarget(const CloudGate::ns_account& account, QWidget* parent = nullptr);
    ~WidgetTarget() override;

    virtual void getSync();
    virtual void setSync();
    virtual void setPromptText(const QString& stepPrompt, const QString& sleepPrompt);
    virtual void setVisiblePrompt(const bool& visible);
    virtual void updateData(const CloudGate::ns_account& account);
    // 0 steps or 0 minutes stand for the hub's default.
    virtual void updateData(const bool& gender, const unsigned& steps, const double& sleepMinutes);

    CloudGate::ns_get_bmi_detail bmi() const;

signals:
    void onGetSync(bool state, QString prompt);
    void onSetSync(bool state, QString prompt);

protected slots:
    void on_NsSetSportTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsSetSleepTarget(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsGetHealthNum(const CloudGate::ns_get_bmi_detail& bmi, const CloudGate::ns_ret_code& returnCode,
                           const QString& returnMsg);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void initDate();
    void failedQuery(const bool& gender);
    void answerTarget(const char* signal, const char* slot, const CloudGate::ns_ret_code& returnCode);

    CloudGate::ns_get_bmi_detail m_bmi;
    bool m_received = false;  // a health-number reply was ever accepted
    int m_queries = 0;        // health-number queries out
    Ui::WidgetTarget* ui;
};

#endif // WIDGETTARGET_H
