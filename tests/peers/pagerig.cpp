#include "pagerig.h"

#include "attribute.h"
#include "pageshot.h"
#include "resource.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMutex>
#include <QMutexLocker>
#include <QTest>
#include <QTextDocument>
#include <QWidget>

namespace {

// Often enough that a test waiting on a dialog's answer does not notice the wait.
const int kModalPollInterval = 20;

// What Qt says, once, when a connect by signature text or a queued signal cannot work.
const char* const kConnectFaults[] = {"No such signal", "No such slot", "Cannot queue arguments"};

QMutex g_faultLock;  // Qt may warn from any thread
PageRig* g_rig = nullptr;
QtMessageHandler g_previousHandler = nullptr;

bool isConnectFault(const QString& text)
{
    for (const char* fault : kConnectFaults) {
        if (text.contains(QLatin1String(fault)))
            return true;
    }
    return false;
}

QStringList labelTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts.append(label->text());
    }
    return texts;
}

void answer(QWidget& modal, const int& result)
{
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
        dialog->done(result);
        return;
    }
    modal.close();
}

} // namespace

PageRig::PageRig()
{
    {
        QMutexLocker lock(&g_faultLock);
        g_rig = this;
    }
    g_previousHandler = qInstallMessageHandler(&PageRig::takeMessage);
    m_modalPoll.setInterval(kModalPollInterval);
    connect(&m_modalPoll, &QTimer::timeout, this, &PageRig::on_modalPoll);
    m_modalPoll.start();
}

PageRig::~PageRig()
{
    m_modalPoll.stop();
    qInstallMessageHandler(g_previousHandler);
    {
        QMutexLocker lock(&g_faultLock);
        g_rig = nullptr;
    }
    if (!m_connectFaults.isEmpty() && QTest::currentTestFunction()) {
        const QByteArray faults = m_connectFaults.join(QStringLiteral("; ")).toUtf8();
        QTest::qFail(QByteArray("Qt refused a connect: " + faults).constData(), __FILE__, __LINE__);
    }
}

void PageRig::takeMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (isConnectFault(text)) {
        QMutexLocker lock(&g_faultLock);
        if (g_rig)
            g_rig->m_connectFaults.append(text);
    }
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

bool PageRig::activate(Attribute& page)
{
    return page.setMsg(&hub());
}

void PageRig::setModalAnswer(const int& result)
{
    m_modalAnswer = result;
}

void PageRig::holdModal(const std::function<bool()>& until, const int& result)
{
    m_holds.append(modal_hold{until, result});
}

QList<QStringList> PageRig::modals() const
{
    return m_modals;
}

void PageRig::on_modalPoll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (modal != m_current) {
        m_current = modal;
        m_currentHold = m_holds.isEmpty() ? modal_hold{nullptr, m_modalAnswer} : m_holds.takeFirst();
        m_modals.append(labelTexts(*modal));
        m_heldFor.start();
    }
    int result = m_currentHold.result;
    if (m_currentHold.until && !m_currentHold.until()) {
        if (m_heldFor.elapsed() < PEER_WAIT)
            return;
        qWarning("held modal dialog closed: its condition never held");
        result = 0;
    }
    // Forgotten before the answer: the same dialog may be shown again and is then new.
    m_current = nullptr;
    answer(*modal, result);
}

bool PageRig::clean() const
{
    QMutexLocker lock(&g_faultLock);
    return m_connectFaults.isEmpty();
}

QStringList PageRig::connectFaults() const
{
    QMutexLocker lock(&g_faultLock);
    return m_connectFaults;
}

QStringList PageRig::takeConnectFaults()
{
    QMutexLocker lock(&g_faultLock);
    QStringList faults;
    faults.swap(m_connectFaults);
    return faults;
}

bool PageRig::shot(QWidget& page, const QString& state)
{
    QString name = QString::fromLatin1(page.metaObject()->className());
    if (!state.isEmpty())
        name += QLatin1Char('-') + state;
    return PageShot::save(page, name);
}

QString PageRig::readText(const QLabel& label)
{
    const bool rich = label.textFormat() == Qt::RichText
        || (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text()));
    if (!rich)
        return label.text();
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

bool PageRig::speakEnglish(QTranslator& translator)
{
    if (!translator.load(Resource::getResPath(91)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}
