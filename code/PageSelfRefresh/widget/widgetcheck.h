#ifndef WIDGETCHECK_H
#define WIDGETCHECK_H

#include "attribute.h"
#include "cloudgate.h"

#include <QString>
#include <QWidget>

namespace Ui {
class WidgetCheck;
}

// First page of the program update: asks the cloud for the newest version and hands it on when
// it differs from the program's own.
class WidgetCheck : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetCheck(QWidget* parent = nullptr);
    ~WidgetCheck() override;

    // Only keeps the hub: the wizard decides when the check starts.
    bool setMsg(CoreHub* msg) override;
    void start();

signals:
    bool onClose();
    void onNext(QString appVersion, bool isGoUp, QString appUrl, QString appVerContent);

private slots:
    void on_NsAppVer(QString appVersion, bool isGoUp, QString appUrl, QString appVerContent,
                     CloudGate::ns_ret_code returnCode, QString returnMsg);
    void on_closeClick();
    void on_cancelClick();
    void on_okClick();

private:
    void initData();

    Ui::WidgetCheck* ui;
};

#endif // WIDGETCHECK_H
