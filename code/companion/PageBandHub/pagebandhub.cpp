#include "pagebandhub.h"

#include "pagebandcard.h"
#include "pagepairing.h"
#include "pagewearspot.h"

#include <QScrollArea>
#include <QVBoxLayout>

// The three pages together are taller than the body: they scroll, each at its designed height,
// rather than being squeezed until the chooser's pictures and button are cut off.
PageBandHub::PageBandHub(QWidget* parent)
    : QWidget(parent)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* pairing = new PagePairing(content);
    pairing->setMinimumHeight(qMax(pairing->sizeHint().height(), pairing->height()));
    layout->addWidget(pairing);
    m_pages << pairing;
    auto* card = new PageBandCard(content);
    card->setMinimumHeight(qMax(card->sizeHint().height(), card->height()));
    layout->addWidget(card);
    m_pages << card;
    // The chooser has no setMsg of its own; the base one hands it the hub its done button uses.
    auto* wearSpot = new PageWearSpot(content);
    wearSpot->setMinimumHeight(qMax(wearSpot->sizeHint().height(), wearSpot->height()));
    layout->addWidget(wearSpot);
    m_pages << wearSpot;
    scroll->setWidget(content);
}

bool PageBandHub::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
