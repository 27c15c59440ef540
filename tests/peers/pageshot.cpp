#include "pageshot.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPixmap>
#include <QWidget>
#include <QtGlobal>

namespace PageShot {

QString folder()
{
    const QString path = QStringLiteral(QUORIN_SCREENSHOT_DIR);
    QDir().mkpath(path);
    return path;
}

static bool hasChineseFont()
{
    return !QFontDatabase().families(QFontDatabase::SimplifiedChinese).isEmpty();
}

bool save(QWidget& widget, const QString& name)
{
    if (!hasChineseFont()) {
        qWarning("no Simplified Chinese font installed: screenshot %s would show boxes", qPrintable(name));
        return false;
    }
    if (!widget.isVisible())
        widget.show();
    QApplication::processEvents();
    const QString path = QDir(folder()).filePath(name + QStringLiteral(".png"));
    if (!widget.grab().save(path, "PNG")) {
        qWarning("screenshot %s could not be written", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace PageShot
