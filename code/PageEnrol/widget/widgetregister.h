#ifndef WIDGETREGISTER_H
#define WIDGETREGISTER_H

#include "attribute.h"
#include "cloudgate.h"

#include <QList>
#include <QString>
#include <QWidget>

class QResizeEvent;
class QTimer;

namespace Ui {
class WidgetRegister;
}

// The registration wizard: creates the cloud account with an SMS code, binds a band, saves the
// body data and the targets, then signs the new account in. Its steps are the tabs of a tab
// widget without a tab bar. Not exported: the library's own class PageEnrol is its face.
class WidgetRegister : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetRegister(QWidget* parent = nullptr);
    ~WidgetRegister() override;

    bool setMsg(CoreHub* msg) override;

signals:
    void onLogin();
    void onRegDone();

protected slots:
    void on_NsLogin1(const QString& accessToken, const CloudGate::ns_account& account,
                     const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsLogin(const QString& accessToken, const CloudGate::ns_account& account,
                    const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsUserInfo(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsSetHealthNum(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_updateInfoSexImg();
    void on_infoMaleChanged(bool state);
    void on_infoFemaleChanged(bool state);
    void on_timerOut();
    void on_getVcClick();
    void on_registerClick();
    void on_goLoginClick();
    void on_goProtocolClick();
    void on_goPageProtocolBackClick();
    void on_goPageInfoNextClick();
    void on_goPageSportBackClick();
    void on_goPageSportNextClick();
    void on_PageSportSetSync(bool state, QString prompt);
    void on_PageBindNext();
    void on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices, const CloudGate::ns_ret_code& returnCode,
                          const QString& returnMsg);
    void on_NsVC(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsIsVC(const QString& token, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsRegister(const QString& accessToken, const CloudGate::ns_account& account,
                       const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    enum STEP { STEP_REGISTER, STEP_PROTOCOL, STEP_BIND, STEP_INFO, STEP_SPORT, STEP_DONE = 6 };

    void initData();
    void initSteps();
    void connectControls(const bool& connected);
    void goPage(const int& step);
    void openSportStep();
    void enableOperate(const bool& enable);
    void enableCodeRequest(const bool& enable);
    void stopCountdown();
    void watchBindList(const bool& watch);
    // The message at the anchor: dx right of its left edge, its top at the anchor's middle.
    void showTip(QWidget* anchor, const int& dx, const int& width, const QString& text);
    void showCodeTip(const CloudGate::ns_ret_code& code);
    bool sendLogin(CoreHub& hub, const char* slot);
    void infoAnswered(const CloudGate::ns_ret_code& returnCode);
    void targetsAnswered();

    QTimer* vcTimer = nullptr;
    int vcCount = 0;
    bool userInfoSaved = false;
    bool healthSaved = false;
    // Step 3 and step 4 each wait for both of their replies; the first refusal is what shows.
    int m_infoAnswers = 0;
    QString m_infoRefusal;
    int m_targetAnswers = 0;
    QString m_targetRefusal;
    bool m_targetsSending = false;
    Ui::WidgetRegister* ui;
};

#endif // WIDGETREGISTER_H
