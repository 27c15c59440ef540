#ifndef PAGEHARVEST_H
#define PAGEHARVEST_H

#include "pageharvest_export.h"

#include "attribute.h"

#include <QList>
#include <QWidget>

// Holds the sync and update pages. A host only hands the hub on to its pages.
class PAGEHARVEST_EXPORT PageHarvest : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit PageHarvest(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;

private:
    QList<Attribute*> m_pages;  // every page it holds; each is activated with the host
};

#endif // PAGEHARVEST_H
