#include "pageaccount.h"

#include "pagepasschange.h"
#include "pageprofile.h"

#include <QHBoxLayout>

// The profile and the password change side by side; each page fits its own form.
PageAccount::PageAccount(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* profile = new PageProfile(this);
    auto* passChange = new PagePassChange(this);
    layout->addWidget(profile);
    layout->addWidget(passChange);
    m_pages << profile << passChange;
}

// The profile fills itself through its own setMsg; the password page only stores the hub.
bool PageAccount::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}
