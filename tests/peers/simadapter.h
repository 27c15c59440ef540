#ifndef SIMADAPTER_H
#define SIMADAPTER_H

#include "simband.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPair>
#include <QTimer>

#include <memory>
#include <vector>

class QSocketNotifier;

// The USB radio adapter on the master side of a pty, with one band behind it and any number
// more, each with its own address and identity. Whoever opens
// portPath() talks to it as to the real adapter (docs/band-protocol.md, "Adapter"): AT lines in,
// zero-ended messages out, one packet per connection event in either direction.
class SimAdapter : public QObject
{
    Q_OBJECT
public:
    explicit SimAdapter(QObject* parent = nullptr);
    ~SimAdapter() override;

    // False when no pty could be made; the path is empty then.
    bool isOpen() const;
    QString portPath() const;

    // The first band.
    SimBand& band();
    const SimBand& band() const;
    // A further band, listed after those before it; give it an address and identity of its own.
    SimBand& addBand(const SimBandInfo& info);
    // The band with that address; null when there is none.
    SimBand* bandAt(const QString& address);
    // Another device the scans report, listed before the bands; it refuses every connect.
    void addDevice(const QString& name, const QString& address);
    // Time between two connection events; 7500 by default.
    void setInterval(const int& microseconds);

    bool isConnected() const;
    bool isNotifying() const;
    // The band the link is up with; null without a link.
    const SimBand* linkedBand() const;

private slots:
    void on_readable();
    void on_writable();
    void on_event();

private:
    // One connection event's worth: a packet to the band, one from it, or the link dropping.
    struct Air {
        QByteArray packet;
        bool linkLost = false;
        bool toBand = false;
    };

    void execute(const QByteArray& line);
    QByteArray scan();
    QByteArray connectTo(const QByteArray& target);
    QByteArray disconnect();
    QByteArray notify(const QByteArray& parameter);
    QByteArray write(const QByteArray& parameter);
    void put(const QByteArray& message);
    void flush();
    void queue(const SimBand::Answer& answer);
    void scheduleEvent();
    void dropLink();

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    QSocketNotifier* m_reader = nullptr;
    QSocketNotifier* m_writer = nullptr;
    QByteArray m_input;
    QByteArray m_output;

    // Held by pointer: callers keep references to the bands while more are added.
    std::vector<std::unique_ptr<SimBand>> m_bands;
    QList<QPair<QString, QString>> m_devices;  // name, address
    QList<QPair<QString, QString>> m_scanList;
    SimBand* m_linked = nullptr;
    bool m_notifying = false;

    QList<Air> m_air;
    QTimer m_event;
    QElapsedTimer m_clock;
    qint64 m_due = 0;  // nanoseconds on m_clock of the next connection event
    int m_interval = 7500;
};

#endif // SIMADAPTER_H
