#include "ptyadapter.h"

#include "rawpty.h"

#include <QSocketNotifier>

#include <unistd.h>

PtyAdapter::PtyAdapter()
{
    const QString port = openRawPty(m_master, m_slave);
    if (port.isEmpty())
        return;
    m_plug.reset(new AdapterPlug(port));
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PtyAdapter::on_readable);
}

PtyAdapter::~PtyAdapter()
{
    delete m_notifier;
    ::close(m_master);
    ::close(m_slave);
}

bool PtyAdapter::plug()
{
    return m_plug && m_plug->plug();
}

bool PtyAdapter::unplug()
{
    return m_plug && m_plug->unplug();
}

QString PtyAdapter::link() const
{
    return m_plug ? m_plug->link() : QString();
}

bool PtyAdapter::answer(const QByteArray& bytes)
{
    return ::write(m_master, bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
}

QByteArray PtyAdapter::drain()
{
    on_readable();
    return received;
}

void PtyAdapter::on_readable()
{
    char buffer[512];
    ssize_t count;
    while ((count = ::read(m_master, buffer, sizeof buffer)) > 0) {
        received.append(buffer, int(count));
        arrivals.append(clock.isValid() ? clock.elapsed() : 0);
    }
}
