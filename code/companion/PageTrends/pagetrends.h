#ifndef PAGETRENDS_H
#define PAGETRENDS_H

#include "pagetrends_export.h"

#include "attribute.h"

#include <QList>
#include <QWidget>

class QStackedWidget;
class ToggleCaption;

// Holds the step and sleep charts behind a small selector, day or week, steps or sleep. A host
// only hands the hub on to its pages.
class PAGETRENDS_EXPORT PageTrends : public QWidget, public Attribute
{
    Q_OBJECT
public:
    // The stack's order: the selector computes the index as (week ? 2 : 0) + (sleep ? 1 : 0).
    enum CHART_SLOT { SLOT_STEPS_DAY = 0, SLOT_SLEEP_DAY = 1, SLOT_STEPS_WEEK = 2, SLOT_SLEEP_WEEK = 3 };

    explicit PageTrends(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;

    CHART_SLOT currentSlot() const;
    QWidget* slotPage(const CHART_SLOT& slot) const;

private slots:
    void on_PeriodClick(bool selected, qint32 flag);
    void on_KindClick(bool selected, qint32 flag);

private:
    // Puts the page into its slot; a page that takes the hub is also activated with the host.
    void addPage(const CHART_SLOT& slot, QWidget* page);
    ToggleCaption* addChoice(QLayout* layout, const QString& name, const QString& text, const int& flag);
    void showSlot();

    QStackedWidget* m_stack = nullptr;
    ToggleCaption* m_day = nullptr;
    ToggleCaption* m_week = nullptr;
    ToggleCaption* m_steps = nullptr;
    ToggleCaption* m_sleep = nullptr;
    QList<Attribute*> m_pages;  // every page it holds; each is activated with the host
};

#endif // PAGETRENDS_H
