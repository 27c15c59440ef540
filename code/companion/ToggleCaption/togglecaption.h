#ifndef TOGGLECAPTION_H
#define TOGGLECAPTION_H

#include "togglecaption_export.h"

#include <QLabel>
#include <QPixmap>

#include <optional>

// One choice of a group: a picture with a frame per state. A click selects a choice that is not
// selected and deselects one that is; whoever holds the group keeps one selected by calling
// setState from the click's slot.
class TOGGLECAPTION_EXPORT ToggleCaption : public QLabel
{
    Q_OBJECT
public:
    enum STATE { STATE_REST = 0, STATE_OVER = 1, STATE_SELECTED = 2 };

    explicit ToggleCaption(QWidget* parent = nullptr);

    // Reported with every click.
    void setFlag(const int& flag);
    // Selected or not; never emits.
    void setState(const bool& selected);
    // A click while the choice shows this state changes nothing and emits nothing.
    void setDisabledSelect(const STATE& state);
    // The choice's own picture, and the frame drawn over it at rest, under the pointer and
    // selected.
    void setStatePixmap(const QPixmap& face, const QPixmap& rest, const QPixmap& over, const QPixmap& selected);

    bool isSelected() const;
    STATE state() const;

signals:
    void onClick(bool selected, qint32 flag);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    qint32 m_flag = 0;
    bool m_selected = false;
    bool m_over = false;
    bool m_pressed = false;
    std::optional<STATE> m_disabled;
    QPixmap m_face;
    QPixmap m_frames[3];
};

#endif // TOGGLECAPTION_H
