#ifndef BANDCLAIM_H
#define BANDCLAIM_H

#include <QObject>
#include <QPointer>

class CoreHub;

// The band link the check asked the hub for, as long as it may still stand. Letting it go
// drops that link, or the connect still on its way; once the link was seen to go down, a link
// made later is someone else's (a sync's) and stays.
class BandClaim : public QObject
{
    Q_OBJECT
public:
    explicit BandClaim(QObject* parent = nullptr);
    // A claim that goes with its owner lets its link go.
    ~BandClaim() override;

    // Call just before the connect goes out; the hub's next connect answer is its answer.
    void claim(CoreHub* hub);
    // Asks the hub for a disconnect when the claimed link still stands, once.
    void release();

private slots:
    void on_BcConn(bool state);
    void on_BcDisconn();

private:
    void forget();

    QPointer<CoreHub> m_hub;  // null: nothing claimed
};

#endif // BANDCLAIM_H
