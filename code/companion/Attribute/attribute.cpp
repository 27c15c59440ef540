#include "attribute.h"

#include "trace.h"

bool Attribute::setMsg(CoreHub* msg)
{
    m_msg = msg;
    QLOG << "this->m_msg=" << static_cast<const void*>(m_msg);
    return m_msg != nullptr;
}

CoreHub* Attribute::Msg()
{
    return m_msg;
}
