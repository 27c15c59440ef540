#ifndef WIZARDFRAME_H
#define WIZARDFRAME_H

#include "updatewizard_export.h"

#include <QList>
#include <QPoint>

class CoreHub;
class QDialog;
class QMouseEvent;
class QTabWidget;
class QWidget;

// What both update wizards share about their frame: a frameless dialog filled by a tab widget
// whose hidden tab bar leaves the pages to move the wizard on, dragged by any spot no page
// takes, closed by any page's close request.
class UPDATEWIZARD_EXPORT WizardFrame
{
public:
    WizardFrame(QDialog* dialog, QTabWidget* tabs);

    // Every page's onClose() reaches the dialog's on_Close(); the first tab shows.
    void wire(const QList<QWidget*>& pages) const;
    void showTab(const int& index) const;

    // True when a self-update of this run has set files aside: the list beside the executable
    // has a line (an empty file is one empty line). No hub, no list.
    static bool updatePending(CoreHub* hub);

    // The dialog's mouse handlers hand their events here before the base class sees them.
    void press(const QMouseEvent* event);
    void move(const QMouseEvent* event) const;
    void release(const QMouseEvent* event);

private:
    QDialog* m_dialog;
    QTabWidget* m_tabs;
    // (-1, -1): no drag in progress.
    QPoint m_offset;
};

#endif // WIZARDFRAME_H
