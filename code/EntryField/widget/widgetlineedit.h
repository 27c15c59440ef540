#ifndef WIDGETLINEEDIT_H
#define WIDGETLINEEDIT_H

#include "entryfield_export.h"

#include <QPixmap>
#include <QRegExp>
#include <QString>
#include <QWidget>

// Callers use the inner field as a QLineEdit, so they need its whole type.
#include "glowentry.h"

namespace Ui {
class WidgetLineEdit;
}

// A single-line input drawn as a picture with a grey hint while idle; the real line edit shows
// on top only while the field has the focus or holds text. Optionally it admits only a preset
// pattern and clamps a whole number into a range.
class ENTRYFIELD_EXPORT WidgetLineEdit : public QWidget
{
    Q_OBJECT
public:
    enum REG_EXP_TYPE { REG_ANY, REG_DIGITS, REG_MOBILE, REG_NONE };

    explicit WidgetLineEdit(QWidget* parent = nullptr);
    ~WidgetLineEdit() override;

    void setRegExp(const QRegExp& expression);
    // REG_NONE keeps the validator in place.
    void setRegExp(const WidgetLineEdit::REG_EXP_TYPE& type);
    // max < min switches the clamp off (the old bounds are kept, unused) and gives false.
    bool setIntRange(const int& min, const int& max);
    GlowEntry* lineEdit() const;
    // The text after the clamp; an empty field stays empty.
    QString text();
    void setBgText(const QString& text);
    // Rebuilds the background with its hint and the focus mark.
    void update();
    void updateBackground(const QPixmap& pixmap);
    void initData();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

protected slots:
    void on_EditFocus(const bool& focus);

private slots:
    void on_lineEdit_textChanged(const QString& text);
    void on_lineEdit_textEdited(const QString& text);
    void on_checkValue();

private:
    static QRect boxInside(const QSize& size);
    QPixmap background() const;
    QPixmap focusMark() const;

    QString m_bgText;
    quint16 m_focusId = 0;
    int m_min = 0;
    int m_max = 0;
    bool m_rangeOn = false;
    Ui::WidgetLineEdit* ui;
};

#endif // WIDGETLINEEDIT_H
