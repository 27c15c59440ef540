#include "pageaccount.h"

#include <QVBoxLayout>

PageAccount::PageAccount(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

bool PageAccount::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
