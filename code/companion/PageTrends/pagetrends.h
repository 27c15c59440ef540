#ifndef PAGETRENDS_H
#define PAGETRENDS_H

#include "pagetrends_export.h"

#include "attribute.h"

#include <QList>
#include <QWidget>

// Holds the step and sleep cards and charts. A host only hands the hub on to its pages.
class PAGETRENDS_EXPORT PageTrends : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit PageTrends(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;

private:
    QList<Attribute*> m_pages;  // every page it holds; each is activated with the host
};

#endif // PAGETRENDS_H
