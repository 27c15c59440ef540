#ifndef PAGEBANDHUB_H
#define PAGEBANDHUB_H

#include "pagebandhub_export.h"

#include "attribute.h"

#include <QList>
#include <QWidget>

// Holds the band pages: pairing and band management. A host only hands the hub on to its pages.
class PAGEBANDHUB_EXPORT PageBandHub : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit PageBandHub(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;

private:
    QList<Attribute*> m_pages;  // every page it holds; each is activated with the host
};

#endif // PAGEBANDHUB_H
