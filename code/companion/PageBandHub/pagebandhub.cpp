#include "pagebandhub.h"

#include "pagepairing.h"

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
}

bool PageBandHub::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
