#include "peerrig.h"

#include <QDir>
#include <QTest>

const QString PeerRig::PASSWORD = QStringLiteral("secret");

namespace {

// The store finds its folders through QStandardPaths, the queues their peers through these.
const char* const kVariables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                  "QUORIN_CLOUD_URL", "QUORIN_ADAPTER_PORT"};

} // namespace

PeerRig::PeerRig()
{
    if (!m_home.isValid() || !m_adapter.isOpen() || !m_cloud.start())
        return;
    m_plug.reset(new AdapterPlug(m_adapter.portPath()));
    m_plug->unplug();
    pointEnvironment();
    PeerRig::restartHub();
    m_ready = true;
}

PeerRig::~PeerRig()
{
    // The hub goes before its peers: none of them may answer into a half-destroyed hub.
    m_hub.reset();
    restoreEnvironment();
}

void PeerRig::pointEnvironment()
{
    for (const char* name : kVariables)
        m_saved.append(saved_variable{name, qEnvironmentVariableIsSet(name), qgetenv(name)});
    const QString home = m_home.path();
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home + QStringLiteral("/cache")));
    qputenv("QUORIN_CLOUD_URL", m_cloud.url().toString().toUtf8());
    qputenv("QUORIN_ADAPTER_PORT", QFile::encodeName(m_plug->link()));
}

void PeerRig::restoreEnvironment()
{
    for (const saved_variable& variable : m_saved) {
        if (variable.set)
            qputenv(variable.name.constData(), variable.value);
        else
            qunsetenv(variable.name.constData());
    }
}

bool PeerRig::isReady() const
{
    return m_ready;
}

CoreHub& PeerRig::hub()
{
    return *m_hub;
}

LoopbackCloud& PeerRig::cloud()
{
    return m_cloud;
}

const LoopbackCloud& PeerRig::cloud() const
{
    return m_cloud;
}

SimAdapter& PeerRig::adapter()
{
    return m_adapter;
}

SimBand& PeerRig::band()
{
    return m_adapter.band();
}

const SimBand& PeerRig::band() const
{
    return m_adapter.band();
}

AdapterPlug& PeerRig::plug()
{
    return *m_plug;
}

QString PeerRig::home() const
{
    return m_home.path();
}

QString PeerRig::token() const
{
    return m_token;
}

bool PeerRig::restartHub()
{
    m_hub.reset();
    m_hub.reset(new CoreHub);
    if (!m_token.isEmpty())
        keepUser();
    return !m_plugged || portOpens();
}

bool PeerRig::signIn(const QString& mobile)
{
    if (!m_ready)
        return false;
    CloudLedger& ledger = m_cloud.ledger();
    if (!ledger.hasAccount(mobile))
        ledger.addAccount(mobile, PASSWORD);
    bool answered = false;
    QString token;
    CloudGate::ns_account account;
    CloudGate::ns_ret_code result;
    const QMetaObject::Connection heard = QObject::connect(
        m_hub.get(), &CloudGate::onNsLogin, m_hub.get(),
        [&](const QString& accessToken, const CloudGate::ns_account& signedIn, const CloudGate::ns_ret_code& code,
            const QString&) {
            answered = true;
            token = accessToken;
            account = signedIn;
            result = code;
        });
    const bool sent = m_hub->nsLogin(mobile, ledger.account(mobile).password, m_hub->appKey(), CoreHub::appSysType(),
                                     QString(), CoreHub::version(), m_hub->LanguageString());
    const bool arrived = sent && QTest::qWaitFor([&] { return answered; }, PEER_WAIT);
    QObject::disconnect(heard);
    if (!arrived || result.code != CloudGate::NS_RET_SUCCESS || token.isEmpty())
        return false;
    m_mobile = mobile;
    m_token = token;
    m_account = account;
    keepUser();
    return true;
}

// The signed-in user as the program keeps one: token and account in the hub's cache, the
// user's own folder under the store selected.
void PeerRig::keepUser()
{
    m_hub->setNsToken(m_token);
    m_hub->setNsAccount(m_account);
    LocalVault::userinfo user;
    qstrncpy(user.id, m_mobile.toLatin1().constData(), sizeof(user.id));
    m_hub->fdSetUserInfo(user);
    m_hub->fdSetUserId(m_mobile);
    m_hub->fdRead();
}

bool PeerRig::plugAdapter(const BandFault& fault, const int& parameter)
{
    if (!m_ready)
        return false;
    band().setFault(fault, parameter);
    if (m_plugged)
        return true;
    m_plugged = m_plug->plug();
    return m_plugged && portOpens();
}

// True once the hub has opened the adapter's port. The hub looks for the port from its event
// loop only, so what made the port appear has not been heard before this is called. Announcing
// the adapter comes first in the same poll, so it cannot land later in a test.
bool PeerRig::portOpens()
{
    bool open = false;
    const QMetaObject::Connection heard = QObject::connect(
        m_hub.get(), &CoreHub::onUsbBusy, m_hub.get(), [&](bool status, const QString&) { open = status; });
    const bool opened = QTest::qWaitFor([&] { return open; }, PEER_WAIT);
    QObject::disconnect(heard);
    return opened;
}

bool PeerRig::pullAdapter()
{
    if (!m_ready || !m_plugged)
        return false;
    bool gone = false;
    const QMetaObject::Connection heard =
        QObject::connect(m_hub.get(), &CoreHub::onUsbUnConn, m_hub.get(), [&] { gone = true; });
    m_plugged = !m_plug->unplug();
    const bool heardGone = !m_plugged && QTest::qWaitFor([&] { return gone; }, PEER_WAIT);
    QObject::disconnect(heard);
    return heardGone;
}
