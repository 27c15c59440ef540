#ifndef WIDGETLOGIN_H
#define WIDGETLOGIN_H

#include "attribute.h"
#include "cloudgate.h"
#include "pagesignin_export.h"

#include <QList>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QResizeEvent;

namespace Ui {
class WidgetLogin;
}

// Signs a user in to the cloud account, remembers the sign-in in the user record when asked,
// selects the user's local data and fetches the bound bands before telling the main window.
class PAGESIGNIN_EXPORT WidgetLogin : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetLogin(QWidget* parent = nullptr);
    ~WidgetLogin() override;

    void setAutoLogin(const bool& enable);
    bool setMsg(CoreHub* msg) override;
    void enableOperate(const bool& enable);
    void showToolTip(const CloudGate::NS_RET_CODE_LIST& code, const QString& text);
    void initData();

signals:
    void onRegister();
    void onLoginSuccess();
    void onGetBackPassword();

protected slots:
    void on_getpwdClick();
    void on_loginClick();
    void on_registerClick();
    void on_NsDevBindList(const QList<CloudGate::ns_bind_dev>& devices, const CloudGate::ns_ret_code& returnCode,
                          const QString& returnMsg);
    void on_NsLogin(const QString& accessToken, const CloudGate::ns_account& account,
                    const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillFields(CoreHub& hub);
    void saveUserRecord(CoreHub& hub, const QString& mobile);
    void selectUser(CoreHub& hub, const QString& mobile);
    void showFailure(const CloudGate::ns_ret_code& returnCode);
    void showTipAt(const int& code, const QString& text);

    Ui::WidgetLogin* ui;
    bool m_autoLogin = false;
};

#endif // WIDGETLOGIN_H
