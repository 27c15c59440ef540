#ifndef RESOURCE_H
#define RESOURCE_H

#include "resource_export.h"

#include <QPixmap>
#include <QString>

class QWidget;

// Numbered pictures, masks and translation files. Callers pass plain numbers, so the id is a
// number type rather than an enum.
class RESOURCE_EXPORT Resource
{
public:
    typedef quint16 ID;

    // The resource path of a numbered file; empty for a number nobody gave a file.
    static QString getResPath(const ID& id);

    // Paints the widget's window background from a picture, stretched over the widget.
    static void updateBackground(QWidget* widget, const QString& path);
    static void updateBackground(QWidget* widget, const QPixmap& pixmap);
};

#endif // RESOURCE_H
