#ifndef SYNCRIG_H
#define SYNCRIG_H

#include "bandharvest.h"
#include "peerrig.h"

#include <QList>

#include <memory>

// One sync run among the peers of PeerRig, as the pages leave them: the user signed in, the
// band bound, the adapter plugged in and announced before the run exists.
class SyncRig : public PeerRig
{
public:
    static const QString MOBILE;

    struct rig_status {
        int code = 0;
        QString prompt;
    };

    // bindDays: how many days ago the band was bound (the window is that plus one, at most 11).
    explicit SyncRig(const int& bindDays);

    bool isReady() const override;
    // The binding and a new run go to the new hub; ready once that hub has announced the
    // adapter, so that announcement never lands inside a run.
    bool restartHub() override;
    BandHarvest& run();

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

    CloudGate::ns_bind_dev m_bind;
    std::unique_ptr<BandHarvest> m_run;
    bool m_ready = false;
};

#endif // SYNCRIG_H
