#ifndef WIDGETUNBINDDEVICE_H
#define WIDGETUNBINDDEVICE_H

#include <QDialog>
#include <QPoint>

namespace Ui {
class WidgetUnBindDevice;
}

// Asks before a band is unbound; exec() gives 1 for OK, 0 otherwise.
class WidgetUnBindDevice : public QDialog
{
    Q_OBJECT
public:
    explicit WidgetUnBindDevice(QWidget* parent = nullptr);
    ~WidgetUnBindDevice() override;

signals:
    void onDone(bool state);

protected slots:
    void on_closeClick();
    void on_cancelClick();
    void on_okClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    Ui::WidgetUnBindDevice* ui;
    QPoint m_offset;  // (-1, -1) while no drag is under way
};

#endif // WIDGETUNBINDDEVICE_H
