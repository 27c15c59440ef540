#ifndef XWINDOWS_H
#define XWINDOWS_H

#include <QRect>
#include <QtGlobal>

// Another process's top-level window on the X server of $DISPLAY, as a window manager would see
// it. Only tests use it: the road starts the real program and has to see and close its window.
namespace XWindows {

// The mapped top-level window whose _NET_WM_PID is pid; 0 while there is none.
quint32 mappedWindowOf(const qint64& pid);

// The window's place on the screen; empty when it is gone.
QRect geometry(const quint32& window);

// Asks the window to close as a window manager's close button does (WM_DELETE_WINDOW).
bool askClose(const quint32& window);

} // namespace XWindows

#endif // XWINDOWS_H
