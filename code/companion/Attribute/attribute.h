#ifndef ATTRIBUTE_H
#define ATTRIBUTE_H

#include "attribute_export.h"

class CoreHub;

// The part of every page and service object that holds the hub. Plain on purpose: its owners
// derive from their Qt class first.
class ATTRIBUTE_EXPORT Attribute
{
public:
    virtual ~Attribute() = default;

    // Stores the hub (null too: a page may be handed none); true when there is one.
    virtual bool setMsg(CoreHub* msg);
    virtual CoreHub* Msg();

private:
    CoreHub* m_msg = nullptr;
};

#endif // ATTRIBUTE_H
