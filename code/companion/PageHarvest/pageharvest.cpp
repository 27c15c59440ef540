#include "pageharvest.h"

#include "pageharvestrun.h"

#include <QVBoxLayout>

PageHarvest::PageHarvest(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* run = new PageHarvestRun(this);
    layout->addWidget(run);
    m_pages << run;
}

bool PageHarvest::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
