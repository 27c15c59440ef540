#ifndef WIDGETCONFIRM_H
#define WIDGETCONFIRM_H

#include <QByteArray>
#include <QWidget>

namespace Ui {
class WidgetConfirm;
}

// Shows the band's version and the offered one and hands the image on when the user agrees.
class WidgetConfirm : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetConfirm(QWidget* parent = nullptr);
    ~WidgetConfirm() override;

public slots:
    void setData(const quint16& current, const quint16& upgrade, const QByteArray& image);
    void on_okClick();
    void on_closeClick();
    void on_cancelClick();

signals:
    bool onClose();
    void onNext(QByteArray data);

private:
    void initData();

    QByteArray m_image;
    bool m_handed = false;
    Ui::WidgetConfirm* ui;
};

#endif // WIDGETCONFIRM_H
