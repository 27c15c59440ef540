#include "resource.h"

#include <QPalette>
#include <QWidget>

QString Resource::getResPath(const ID& id)
{
    Q_UNUSED(id)
    return QString();
}

void Resource::updateBackground(QWidget* widget, const QString& path)
{
    updateBackground(widget, QPixmap(path));
}

void Resource::updateBackground(QWidget* widget, const QPixmap& pixmap)
{
    if (!widget || pixmap.isNull())
        return;
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(pixmap.scaled(widget->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
}
