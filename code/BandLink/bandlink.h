#ifndef BANDLINK_H
#define BANDLINK_H

#include "bandlink_export.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

// The radio adapter's AT command codec. Not a QObject: every line leaves through the sendMsg
// hook, and the owner hands each reply back to the parser of the command's code.
class BANDLINK_EXPORT BandLink
{
public:
    // A command's code is also its row in the command table and its tag on the hook.
    enum MSG_LIST : unsigned {
        AT_SCAN = 0x200,
        AT_CON = 0x201,
        AT_DISCON = 0x202,
        AT_RSSI = 0x203,
        AT_NOTIFY = 0x204,
        AT_READ = 0x205,
        AT_WRITE = 0x206
    };

    // The parts of one command line; an empty cmd means no command at all.
    struct at_pack {
        QString head;
        QString cmd;
        QString param;
        QByteArray data;
        quint16 len = 0;
        QString tail;
    };

    // One band of a scan reply: the line before its address, and the address itself.
    struct at_devinfo {
        QString first;
        QString address;
        QString extra;
    };

    BandLink();
    virtual ~BandLink();

    bool isAtConnect() const;
    bool isAtBusy() const;

    // A copy of the table row; a code outside the table gives an all-empty pack.
    static at_pack getAtCmd(const MSG_LIST& code);
    static QByteArray toAtPack(const at_pack& pack);
    static QByteArray toHexStr(const QByteArray& bytes);

    // The virtual order below is the layout the hub and the pages call through.
    virtual bool bcScan();
    virtual bool bcConnect(const QString& text);
    virtual bool bcConnect(const int& n);
    virtual bool bcDisConnect();
    // These three need an up link; while it is down they send nothing and return false.
    virtual bool bcRssi();
    virtual bool bcNotify();
    virtual bool bcWrite(const QByteArray& raw);

    virtual QList<BandLink::at_devinfo> parseBcScan(const QByteArray& reply);
    virtual bool parseBcConn(const QByteArray& reply);
    virtual bool parseBcDisConn(const QByteArray& reply);
    virtual int parseBcRssi(const QByteArray& reply);
    virtual bool parseBcNotify(const QByteArray& reply);
    virtual bool parseBcWrite(const QByteArray& reply);
    virtual QByteArray parseBcRead(const QByteArray& reply);

    // Transport hook; the base hands nothing over and returns false.
    virtual bool sendMsg(const unsigned& code, const QByteArray& bytes);

protected:
    bool at_connect = false;
    // Left to the owner, which knows when the adapter is busy.
    bool at_busy = false;
    // Left to the owner for joining replies that arrive in pieces.
    QByteArray buffer;

private:
    bool sendRow(const MSG_LIST& code, const at_pack& pack);
};

Q_DECLARE_METATYPE(BandLink::at_devinfo)
Q_DECLARE_METATYPE(QList<BandLink::at_devinfo>)

#endif // BANDLINK_H
