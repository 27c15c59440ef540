#ifndef PAGERIG_H
#define PAGERIG_H

#include "peerrig.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include <functional>

class Attribute;
class QLabel;
class QWidget;

// One rig for every page test: the peers and the hub of PeerRig, and what a user's screen adds
// to them. Every modal dialog is answered (the texts of its labels recorded), at once or once a
// condition the test names holds, so no test hangs on one. A connect by signature text that
// Qt refuses fails the test: see clean().
class PageRig : public QObject, public PeerRig
{
    Q_OBJECT
public:
    PageRig();
    ~PageRig() override;

    // Hands the page the hub, as the program does when it shows it.
    bool activate(Attribute& page);

    // The result every modal dialog gets from now on; 0 (closed) at first.
    void setModalAnswer(const int& result);
    // The next modal dialog stays open until `until` holds, then gets `result`. One whose
    // condition stays false for PEER_WAIT is closed (result 0), so no test hangs on it.
    void holdModal(const std::function<bool()>& until, const int& result);
    // The label texts of every modal dialog met so far, one list per dialog, in order.
    QList<QStringList> modals() const;

    // True while Qt has refused no connect and queued no signal it could not carry. A rig left
    // unclean fails the running test when it goes, unless the test took the faults.
    bool clean() const;
    QStringList connectFaults() const;
    QStringList takeConnectFaults();

    // <screenshots>/<page's class>[-state].png; false without a Simplified Chinese font.
    bool shot(QWidget& page, const QString& state = QString());

    // What a user reads on the label: markup the label takes as rich text reads as its
    // document's text (a picture as one placeholder character), not as written.
    static QString readText(const QLabel& label);
    // Installs the English translation for the translator's life; false when it cannot be read.
    static bool speakEnglish(QTranslator& translator);

private slots:
    void on_modalPoll();

private:
    struct modal_hold {
        std::function<bool()> until;
        int result = 0;
    };

    static void takeMessage(QtMsgType type, const QMessageLogContext& context, const QString& text);

    QTimer m_modalPoll;
    int m_modalAnswer = 0;
    QList<modal_hold> m_holds;
    QPointer<QWidget> m_current;  // the modal dialog seen last, recorded once
    modal_hold m_currentHold;
    QElapsedTimer m_heldFor;
    QList<QStringList> m_modals;
    QStringList m_connectFaults;
};

#endif // PAGERIG_H
