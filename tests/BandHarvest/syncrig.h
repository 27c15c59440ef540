#ifndef SYNCRIG_H
#define SYNCRIG_H

#include "adapterplug.h"
#include "bandharvest.h"
#include "corehub.h"
#include "loopbackcloud.h"
#include "simadapter.h"

#include <QList>
#include <QPair>
#include <QTemporaryDir>

#include <memory>

// Everything one sync run talks to, for real: the simulated adapter and band on a pty, the
// loopback cloud on 127.0.0.1, the hub with its serial and HTTP queues, and a store in a
// folder of its own. The user is signed in and the band bound, as the pages leave them.
class SyncRig
{
public:
    static const QString MOBILE;

    struct rig_status {
        int code = 0;
        QString prompt;
    };

    // bindDays: how many days ago the band was bound (the window is that plus one, at most 11).
    explicit SyncRig(const int& bindDays);
    ~SyncRig();

    bool isReady() const;
    // A new hub over the same store and peers, as after a restart of the program; ready once the
    // hub has announced the adapter, so that announcement never lands inside a run.
    bool restartHub();
    BandHarvest& run();
    CoreHub& hub();
    SimAdapter& adapter();
    SimBand& band();
    LoopbackCloud& cloud();
    AdapterPlug& plug();
    CloudGate::ns_bind_dev bind() const;

    // Starts a run and waits until it ends (done or failed) or the time is up.
    bool syncToEnd(const int& milliseconds);
    bool hasEnded() const;
    // Runs what is already queued, then tells whether the run still waits on anything.
    bool isSettled();
    QList<rig_status> statuses;

    // The packets the band got whose first two bytes are cmd and sub.
    int bandReceived(const quint8& cmd, const quint8& sub) const;
    int cloudRequests(const QString& endpoint) const;

private:
    void newRun();

    QTemporaryDir m_home;
    SimAdapter m_adapter;
    std::unique_ptr<AdapterPlug> m_plug;
    LoopbackCloud m_cloud;
    QString m_token;
    CloudGate::ns_bind_dev m_bind;
    std::unique_ptr<CoreHub> m_hub;
    std::unique_ptr<BandHarvest> m_run;
    bool m_ready = false;
};

#endif // SYNCRIG_H
