#ifndef TAPCAPTION_H
#define TAPCAPTION_H

#include "tapcaption_export.h"

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QString>

// A label that acts as a button: one picture per state (at rest, pointer over, pressed) with
// its caption drawn over it. The caption is the label's text, so whoever reads the label reads
// what the button says.
class TAPCAPTION_EXPORT TapCaption : public QLabel
{
    Q_OBJECT
public:
    explicit TapCaption(QWidget* parent = nullptr);

    virtual void setStateImages(const QString& rest, const QString& over, const QString& pressed);
    virtual void setCaption(const QString& caption);
    virtual void setCaptionColor(const QColor& color);

signals:
    void on_click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum STATE { STATE_REST, STATE_OVER, STATE_PRESSED, STATE_COUNT };

    void setState(const STATE& state);
    void paintState(QPainter& painter) const;

    QPixmap m_images[STATE_COUNT];
    bool m_hasImages = false;
    STATE m_state = STATE_REST;
};

#endif // TAPCAPTION_H
