#ifndef ADAPTERPLUG_H
#define ADAPTERPLUG_H

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Stands for the adapter's USB plug: a symlink to a pty that exists while the adapter is
// "plugged in". Point QUORIN_ADAPTER_PORT at link().
class AdapterPlug
{
public:
    explicit AdapterPlug(const QString& port)
        : m_port(port)
        , m_link(m_dir.filePath(QStringLiteral("adapter")))
    {
        plug();
    }

    bool plug() { return QFile::link(m_port, m_link); }
    bool unplug() { return QFile::remove(m_link); }
    QString link() const { return m_link; }

private:
    QTemporaryDir m_dir;
    QString m_port;
    QString m_link;
};

#endif // ADAPTERPLUG_H
