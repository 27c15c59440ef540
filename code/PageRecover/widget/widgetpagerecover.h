#ifndef WIDGETPAGERECOVER_H
#define WIDGETPAGERECOVER_H

#include "attribute.h"
#include "cloudgate.h"

#include <QString>
#include <QWidget>

class QResizeEvent;
class QTimer;

namespace Ui {
class WidgetPageRecover;
}

// Sets a new password with a verification code sent to the account's mobile number. Not
// exported: the library's own class PageRecover is its face.
class WidgetPageRecover : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageRecover(QWidget* parent = nullptr);
    ~WidgetPageRecover() override;

    bool setMsg(CoreHub* msg) override;
    void initData();
    void showTip(QWidget* anchor, const QString& text);

signals:
    void onLogin();

protected:
    void resizeEvent(QResizeEvent* event) override;

protected slots:
    void on_timerOut();
    void on_getVcClick();
    void on_resetPwdClick();
    void on_goLoginClick();
    void on_NsGetBackPwd(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsVC(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_NsIsVC(const QString& token, const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

private:
    void stopCountdown();
    void enableCodeRequest(const bool& enable);

    QTimer* m_timer = nullptr;
    int m_count = 0;
    Ui::WidgetPageRecover* ui;
};

#endif // WIDGETPAGERECOVER_H
