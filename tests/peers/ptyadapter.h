#ifndef PTYADAPTER_H
#define PTYADAPTER_H

#include <QElapsedTimer>
#include <QList>
#include <QObject>

#include "adapterplug.h"
#include <memory>

class QSocketNotifier;

// A scripted adapter: the far side of a pty that only records what it gets and answers what
// the test tells it to. The program reaches it through a symlink that can be pulled (unplug).
class PtyAdapter : public QObject
{
    Q_OBJECT
public:
    PtyAdapter();
    ~PtyAdapter() override;

    bool plug();
    bool unplug();
    // The path QUORIN_ADAPTER_PORT names.
    QString link() const;
    bool answer(const QByteArray& bytes);
    // Reads what is already in the pty, without the event loop.
    QByteArray drain();

    QByteArray received;
    QList<qint64> arrivals;  // milliseconds on clock, one per read that brought bytes
    QElapsedTimer clock;

private slots:
    void on_readable();

private:
    std::unique_ptr<AdapterPlug> m_plug;
    int m_master = -1;
    int m_slave = -1;
    QSocketNotifier* m_notifier = nullptr;
};

#endif // PTYADAPTER_H
