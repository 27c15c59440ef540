#ifndef WIDGETCONFIRM_H
#define WIDGETCONFIRM_H

#include <QString>
#include <QWidget>

namespace Ui {
class WidgetConfirm;
}

// Second page of the program update: shows the new version and its description, and hands the
// package's address on when the user agrees.
class WidgetConfirm : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetConfirm(QWidget* parent = nullptr);
    ~WidgetConfirm() override;

    // isGoUp is the cloud's advice only; the user decides.
    void setData(const QString& current, const QString& appVersion, const bool& isGoUp, const QString& appUrl,
                 const QString& appVerContent);

signals:
    bool onClose();
    void onNext(QString url);

private slots:
    void on_closeClick();
    void on_cancelClick();
    void on_okClick();

private:
    void initData();

    QString m_url;
    Ui::WidgetConfirm* ui;
};

#endif // WIDGETCONFIRM_H
