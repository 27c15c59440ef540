#ifndef DIALOGNOTICEBOX_H
#define DIALOGNOTICEBOX_H

#include "noticebox_export.h"

#include <QDialog>
#include <QPoint>
#include <QString>

class QLabel;
class TapCaption;

// A frameless modal prompt: a title with a close button, a text, a hint and two buttons.
// exec() gives 1 for the second button (OK) and 0 for the first, the close button or Escape.
// Every text it shows sits in a QLabel (the buttons are TapCaptions), so a test can read it.
class NOTICEBOX_EXPORT DialogNoticeBox : public QDialog
{
    Q_OBJECT
public:
    explicit DialogNoticeBox(QWidget* parent = nullptr);

    // An empty hint or button text leaves that part out.
    void setText(const QString& title, const QString& text, const QString& hint,
                 const QString& firstButton, const QString& secondButton);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static void setButtonImages(TapCaption* button, quint16 rest);
    void buildForm();

    QLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QLabel* m_hint = nullptr;
    TapCaption* m_close = nullptr;
    TapCaption* m_first = nullptr;
    TapCaption* m_second = nullptr;
    // Where the cursor grabbed the frame; (-1, -1) while no drag is under way.
    QPoint m_dragOffset = QPoint(-1, -1);
};

#endif // DIALOGNOTICEBOX_H
