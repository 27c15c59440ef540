#include "cloudprocess.h"

#include <QDeadlineTimer>

namespace {

const QByteArray URL_LINE = QByteArrayLiteral("QUORIN_CLOUD_URL=");
// An instrumented build starts slowly on a loaded machine.
const int START_MS = 30000;

} // namespace

CloudProcess::CloudProcess(const QStringList& arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(QUORIN_CLOUD_PROGRAM), arguments);
    const QDeadlineTimer deadline(START_MS);
    while (m_process.waitForReadyRead(int(deadline.remainingTime()))) {
        while (m_process.canReadLine()) {
            const QByteArray line = m_process.readLine().trimmed();
            if (line.startsWith(URL_LINE)) {
                m_url = QUrl(QString::fromUtf8(line.mid(URL_LINE.size())));
                return;
            }
        }
    }
}

CloudProcess::~CloudProcess()
{
    m_process.kill();
    m_process.waitForFinished();
}

QUrl CloudProcess::url() const
{
    return m_url;
}

QUrl CloudProcess::fileUrl(const QString& path) const
{
    QUrl address = m_url;
    address.setPath(path);
    return address;
}
