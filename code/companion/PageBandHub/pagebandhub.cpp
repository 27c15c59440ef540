#include "pagebandhub.h"

#include "pagebandcard.h"
#include "pagepairing.h"
#include "pagewearspot.h"

#include <QVBoxLayout>

PageBandHub::PageBandHub(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* pairing = new PagePairing(this);
    layout->addWidget(pairing);
    m_pages << pairing;
    auto* card = new PageBandCard(this);
    layout->addWidget(card);
    m_pages << card;
    // The chooser has no setMsg of its own; the base one hands it the hub its done button uses.
    auto* wearSpot = new PageWearSpot(this);
    layout->addWidget(wearSpot);
    m_pages << wearSpot;
}

bool PageBandHub::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
