#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "attribute.h"
#include "cloudgate.h"
#include "pageheader.h"
#include "resource.h"

#include <QMainWindow>
#include <QPoint>

class CoreHub;
class PageAbout;
class PageDriverSetup;
class PageEnrol;
class PageFrame;
class PageMenu;
class PageRecover;
class PageSelfRefresh;
class PageSignIn;
class QGridLayout;
#ifndef QUORIN_CONSOLE
class PageBandFlash;
#endif

namespace Ui {
class MainWindow;
}

// The one window of the program: a frameless 800 x 600 frame with the title bar on top and a body
// whose page it swaps. It opens the help menu and the popups the menu leads to.
class MainWindow : public QMainWindow, public Attribute
{
    Q_OBJECT
public:
    explicit MainWindow(CoreHub* msg, QWidget* parent = nullptr);
    ~MainWindow() override;

    bool setMsg(CoreHub* msg) override;

protected slots:
    void on_TopState(const WidgetTop::STATE& state);
    void on_helpExec(const int& type);
#ifndef QUORIN_CONSOLE
    void on_firmUpdateClose();
#endif
    void on_softUpdateClose();
    void on_deviceInstallClose();
    void on_Login();
    void on_getpwd();
    void on_Logout();
    void on_Register();
    void on_LoginSuccess();
    void on_UpdateData();
    void on_GetBmi();
    void on_home();
    void on_NsGetHealthNum(CloudGate::ns_get_bmi_detail bmi, CloudGate::ns_ret_code returnCode, QString returnMsg);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The body's grid, made on first use; pages are swapped inside it.
    QGridLayout* bodyLayout();
    void dropPage(QGridLayout* layout, QWidget* page);
    void dropRegister(QGridLayout* layout);
    void askExit();
    void openHelp();
    // The sign-out's count and time in the user record.
    void recordLogout();
    // Everything of a sign-out but the record: caches, the sign-in page, the band's link.
    void signOut();
    void waitBandDisconnect();
    // Centres a popup over the window and shows it without blocking the window.
    void showPopup(QWidget* popup, const QString& title, const Resource::ID& icon);

    PageSignIn* m_login = nullptr;
    PageRecover* m_getPwd = nullptr;
    PageEnrol* m_register = nullptr;
    PageMenu* m_navigate = nullptr;
    PageFrame* m_body = nullptr;
    PageHeader* m_top = nullptr;
    PageAbout* m_help = nullptr;
    PageSelfRefresh* m_softUpdate = nullptr;
#ifndef QUORIN_CONSOLE
    PageBandFlash* m_firmUpdate = nullptr;
#endif
    PageDriverSetup* m_deviceInstall = nullptr;
    Ui::MainWindow* ui;
    QPoint m_dragOffset{-1, -1};  // (-1, -1): no drag under way
    bool m_autoLogin = true;
};

#endif // MAINWINDOW_H
