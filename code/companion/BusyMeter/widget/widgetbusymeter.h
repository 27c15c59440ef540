#ifndef WIDGETBUSYMETER_H
#define WIDGETBUSYMETER_H

#include "busymeter_export.h"

#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QWidget>

// A busy animation with a status text under it. The animation runs between onStart and onStop;
// the text stays after onStop, so the last status remains readable.
class BUSYMETER_EXPORT WidgetBusyMeter : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetBusyMeter(QWidget* parent = nullptr);

    // The text with the drawn spinner.
    void setShow(const QString& text);
    // The text with two pictures shown in turn; a pair that did not load falls back to the spinner.
    void setShow(const QString& text, const QPixmap& first, const QPixmap& second);

    QString text() const;
    bool isRunning() const;
    QSize sizeHint() const override;

public slots:
    void onStart();
    void onStop();

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void on_tick();

private:
    QRect animationRect() const;
    void paintSpinner(QPainter& painter, const QRect& area) const;

    QString m_text;
    QPixmap m_frames[2];
    QTimer m_timer;
    int m_step = 0;
};

#endif // WIDGETBUSYMETER_H
