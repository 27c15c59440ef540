#ifndef TICKBOX_H
#define TICKBOX_H

#include "tickbox_export.h"

#include <QColor>
#include <QPixmap>
#include <QString>
#include <QWidget>

// A check box drawn from two numbered pictures, with a caption beside it. A click on the box
// toggles it; a click on the caption only reports itself, so the owner decides what it means.
class TICKBOX_EXPORT TickBox : public QWidget
{
    Q_OBJECT
public:
    explicit TickBox(QWidget* parent = nullptr);

    virtual bool checked() const;
    // Reports onChanged only when the state really changes, so two boxes that set each other
    // stop after one round.
    virtual void setChecked(const bool& checked);
    virtual void setCaption(const QString& caption);
    virtual void setCaptionColor(const QColor& color);
    // The resource ids of the unchecked and the checked picture.
    virtual void setImages(quint16 unchecked, quint16 checked);

    QSize sizeHint() const override;
    // A layout may not squeeze the caption: a cut caption reads as another word.
    QSize minimumSizeHint() const override;

signals:
    void onChanged(bool checked);
    void onTextClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect boxRect() const;
    void paintBox(QPainter& painter) const;

    bool m_checked = false;
    QString m_caption;
    QColor m_captionColor = QColor(60, 60, 60);
    QPixmap m_unchecked;
    QPixmap m_checkedImage;
};

#endif // TICKBOX_H
