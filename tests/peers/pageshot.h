#ifndef PAGESHOT_H
#define PAGESHOT_H

#include <QString>

class QWidget;

// Screenshots for people to look at: one PNG per page state under the build's screenshots/
// folder. Chinese texts must render in a real font, so a machine without a Simplified Chinese
// font fails the shot instead of writing boxes.
namespace PageShot {

// The folder the build hands over (created when missing).
QString folder();

// Renders the widget (shown and laid out first) into <folder>/<name>.png. False, with a
// warning, when no Simplified Chinese font is installed or the file can't be written.
bool save(QWidget& widget, const QString& name);

} // namespace PageShot

#endif // PAGESHOT_H
