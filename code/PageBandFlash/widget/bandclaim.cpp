#include "bandclaim.h"

#include "corehub.h"
#include "trace.h"

BandClaim::BandClaim(QObject* parent)
    : QObject(parent)
{
}

BandClaim::~BandClaim()
{
    release();
}

void BandClaim::claim(CoreHub* hub)
{
    forget();
    if (!hub)
        return;
    m_hub = hub;
    connect(hub, &CoreHub::onBcConn, this, &BandClaim::on_BcConn);
}

// The adapter takes one command at a time, in order: a disconnect asked while the connect is
// still on its way goes out after it and drops the link that connect makes.
void BandClaim::release()
{
    CoreHub* hub = m_hub;
    forget();
    if (!hub)
        return;
    QLOG << "band link of the firmware check let go";
    hub->bcDisConnect();
}

void BandClaim::on_BcConn(bool state)
{
    disconnect(m_hub, &CoreHub::onBcConn, this, &BandClaim::on_BcConn);
    if (!state) {
        forget();
        return;
    }
    // A disconnect before the answer was about an older link: only one after it ends this one.
    connect(m_hub, &CoreHub::onBcDisconn, this, &BandClaim::on_BcDisconn);
}

void BandClaim::on_BcDisconn()
{
    forget();
}

void BandClaim::forget()
{
    if (m_hub)
        disconnect(m_hub, nullptr, this, nullptr);
    m_hub = nullptr;
}
