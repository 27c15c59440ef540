#include "wizardframe.h"

#include "corehub.h"

#include <QCoreApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {
const QPoint NO_DRAG(-1, -1);
}

WizardFrame::WizardFrame(QDialog* dialog, QTabWidget* tabs)
    : m_dialog(dialog)
    , m_tabs(tabs)
{
    m_dialog->setWindowFlags(Qt::FramelessWindowHint);
    m_tabs->tabBar()->hide();
}

void WizardFrame::wire(const QList<QWidget*>& pages) const
{
    for (QWidget* page : pages)
        QObject::connect(page, SIGNAL(onClose()), m_dialog, SLOT(on_Close()));
    showTab(0);
}

void WizardFrame::showTab(const int& index) const
{
    m_tabs->setCurrentIndex(index);
}

bool WizardFrame::updatePending(CoreHub* hub)
{
    if (!hub)
        return false;
    const QString list = QCoreApplication::applicationDirPath() + QLatin1Char('/') + hub->fdUpdateListConf();
    return !LocalVault::fdUpdateList(list).isEmpty();
}

void WizardFrame::press(const QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_offset = event->globalPos() - m_dialog->frameGeometry().topLeft();
}

void WizardFrame::move(const QMouseEvent* event) const
{
    if ((event->buttons() & Qt::LeftButton) && m_offset != NO_DRAG)
        m_dialog->move(event->globalPos() - m_offset);
}

void WizardFrame::release(const QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_offset = NO_DRAG;
}
