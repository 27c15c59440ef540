#include "pageaccount.h"

#include "pagepasschange.h"
#include "pageprofile.h"

#include <QVBoxLayout>

namespace {
// The forms' own sizes: the profile's picture keeps its proportions only near its form's size.
const QSize profileSize(502, 383);
const QSize passChangeSize(372, 215);
const int margin = 20;
} // namespace

// The profile above the password change: side by side, a tab is too narrow for both forms.
PageAccount::PageAccount(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(margin);
    auto* profile = new PageProfile(this);
    auto* passChange = new PagePassChange(this);
    profile->setMaximumSize(profileSize);
    profile->setMinimumWidth(profileSize.width());
    passChange->setMaximumSize(passChangeSize);
    passChange->setMinimumWidth(passChangeSize.width());
    layout->addWidget(profile, 2, Qt::AlignHCenter);
    layout->addWidget(passChange, 1, Qt::AlignHCenter);
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
