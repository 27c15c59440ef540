#ifndef RECORDINGGATE_H
#define RECORDINGGATE_H

#include "cloudgate.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QtTest>

#include <functional>

// Stands in for the hub: keeps every message instead of carrying it to the cloud.
class RecordingGate : public CloudGate
{
public:
    struct Sent {
        unsigned id;
        QByteArray body;
    };
    QList<Sent> sent;
    QStringList events;

    bool sendMsg(const unsigned& id, const QByteArray& body) override
    {
        sent.append({id, body});
        events.append(QStringLiteral("send %1").arg(id, 0, 16));
        return true;
    }

    QJsonObject lastBody() const { return QJsonDocument::fromJson(sent.last().body).object(); }
};

// Counts every signal of a gate, also those no spy can record (reference parameters).
class EmissionCounter : public QObject
{
    Q_OBJECT
public:
    explicit EmissionCounter(CloudGate* gate)
    {
        const QMetaObject* meta = gate->metaObject();
        const int slot = metaObject()->indexOfSlot("hit()");
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                QMetaObject::connect(gate, i, this, slot);
        }
    }
    QStringList names;

public slots:
    void hit() { names.append(QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name())); }
};

using Request = std::function<bool(CloudGate&)>;
Q_DECLARE_METATYPE(Request)

inline QJsonObject json(const char* text)
{
    return QJsonDocument::fromJson(text).object();
}

// One request sends exactly one message with this id and body; the base hook takes nothing.
inline void verifyRequest(const Request& request, const unsigned& id, const QJsonObject& body)
{
    RecordingGate gate;
    QVERIFY(request(gate));
    QCOMPARE(gate.sent.size(), 1);
    QCOMPARE(gate.sent[0].id, id);
    QCOMPARE(gate.lastBody(), body);
    CloudGate base;
    QVERIFY(!request(base));
}

#endif // RECORDINGGATE_H
