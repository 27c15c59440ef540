#ifndef PICTUREBOX_H
#define PICTUREBOX_H

#include "picturebox_export.h"

#include <QPixmap>
#include <QWidget>

// Shows one picture fitted to the widget, centred, by the aspect rule its caller chose.
class PICTUREBOX_EXPORT PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPixmap(const QPixmap& pixmap, Qt::AspectRatioMode mode);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
    Qt::AspectRatioMode m_mode = Qt::KeepAspectRatio;
};

#endif // PICTUREBOX_H
