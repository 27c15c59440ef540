#ifndef PAGEACCOUNT_H
#define PAGEACCOUNT_H

#include "pageaccount_export.h"

#include "attribute.h"

#include <QList>
#include <QWidget>

// Holds the account pages: profile and password change. A host only hands the hub on to its pages.
class PAGEACCOUNT_EXPORT PageAccount : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit PageAccount(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;

private:
    QList<Attribute*> m_pages;  // every page it holds; each is activated with the host
};

#endif // PAGEACCOUNT_H
