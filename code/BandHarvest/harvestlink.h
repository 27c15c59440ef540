#ifndef HARVESTLINK_H
#define HARVESTLINK_H

#include <QObject>

// Every hub signal the run listens to is connected at most once: a stage started twice must
// not run its slot twice for one answer.
template <typename Sender, typename Signal, typename Receiver, typename Slot>
void hubLink(Sender* hub, Signal signal, Receiver* run, Slot slot)
{
    QObject::connect(hub, signal, run, slot, Qt::UniqueConnection);
}

template <typename Sender, typename Signal, typename Receiver, typename Slot>
void hubUnlink(Sender* hub, Signal signal, Receiver* run, Slot slot)
{
    QObject::disconnect(hub, signal, run, slot);
}

template <typename Sender, typename Signal, typename Receiver, typename Slot>
void hubSetLink(const bool& on, Sender* hub, Signal signal, Receiver* run, Slot slot)
{
    if (on)
        hubLink(hub, signal, run, slot);
    else
        hubUnlink(hub, signal, run, slot);
}

#endif // HARVESTLINK_H
