#ifndef UPDATEJOURNAL_H
#define UPDATEJOURNAL_H

#include <QByteArray>
#include <QString>
#include <QVector>

// What one update run changed in the target folder, so that a run that fails half-way can put
// every replaced file back and leave the backup list as it found it.
class UpdateJournal
{
public:
    explicit UpdateJournal(const QString& listPath);

    // Keeps the list an earlier run left and makes sure the list file exists.
    bool begin();
    // Moves an existing target aside to target + ".bk" and lists the backup.
    bool backUp(const QString& target);
    // Notes a target that did not exist before this run.
    void created(const QString& target);
    // Undoes the run, newest change first.
    void rollBack();

private:
    struct change {
        QString target;
        bool backedUp;
    };

    QString listPath;
    bool listExisted = false;
    QByteArray earlierList;
    QByteArray list;
    QVector<change> changes;
};

#endif // UPDATEJOURNAL_H
