#ifndef CLOUDPROCESS_H
#define CLOUDPROCESS_H

#include <QProcess>
#include <QStringList>
#include <QUrl>

// The loopback cloud (quorin-cloud) in a process of its own, so that what a test measures of
// its own process holds none of the cloud's memory. Killed with the object.
class CloudProcess
{
public:
    // arguments: quorin-cloud's own, such as {"--endless", path}; the port is any free one.
    explicit CloudProcess(const QStringList& arguments = QStringList());
    ~CloudProcess();

    // Empty when the cloud did not come up.
    QUrl url() const;
    QUrl fileUrl(const QString& path) const;

private:
    QProcess m_process;
    QUrl m_url;
};

#endif // CLOUDPROCESS_H
