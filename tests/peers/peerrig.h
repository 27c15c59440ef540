#ifndef PEERRIG_H
#define PEERRIG_H

#include "adapterplug.h"
#include "corehub.h"
#include "loopbackcloud.h"
#include "simadapter.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// The real hub and every peer it talks to: a home of its own, the loopback cloud on 127.0.0.1,
// the simulated adapter and band behind a plug that starts pulled. The process environment
// points the store, the HTTP queue and the serial queue at them before the hub is built, and
// gets its old values back when the rig goes.
class PeerRig
{
public:
    // The password of accounts that signIn seeds.
    static const QString PASSWORD;
    // How long a peer may take to answer on a loaded machine.
    static constexpr int PEER_WAIT = 10000;

    PeerRig();
    virtual ~PeerRig();

    // False when a peer could not be started; nothing else works then.
    virtual bool isReady() const;

    CoreHub& hub();
    LoopbackCloud& cloud();
    const LoopbackCloud& cloud() const;
    SimAdapter& adapter();
    SimBand& band();
    const SimBand& band() const;
    AdapterPlug& plug();
    QString home() const;

    // Signs in through the hub at the loopback cloud, as the sign-in page does, and leaves the
    // user as the program keeps one: token and account in the hub's cache, the user's folder
    // selected. An account the ledger lacks is seeded with PASSWORD first.
    bool signIn(const QString& mobile);
    QString token() const;

    // The adapter goes in, its band showing the fault; true once the hub has its port open.
    bool plugAdapter(const BandFault& fault = BandFault::None, const int& parameter = 0);
    // True once the hub has heard that the adapter is gone.
    bool pullAdapter();

    // A new hub over the same home and peers, as after a restart of the program; a signed-in
    // user stays signed in. With the adapter plugged in, true once the new hub has its port open.
    virtual bool restartHub();

private:
    bool portOpens();
    void pointEnvironment();
    void restoreEnvironment();
    void keepUser();

    struct saved_variable {
        QByteArray name;
        bool set = false;
        QByteArray value;
    };

    QTemporaryDir m_home;
    QList<saved_variable> m_saved;
    SimAdapter m_adapter;
    std::unique_ptr<AdapterPlug> m_plug;
    bool m_plugged = false;
    LoopbackCloud m_cloud;
    QString m_mobile;
    QString m_token;
    CloudGate::ns_account m_account;
    std::unique_ptr<CoreHub> m_hub;
    bool m_ready = false;
};

#endif // PEERRIG_H
