#ifndef WIDGETPAGEHARVESTRUN_H
#define WIDGETPAGEHARVESTRUN_H

#include "pageharvestrun_export.h"

#include "attribute.h"
#include "bandharvest.h"
#include "cloudgate.h"

#include <QDateTime>
#include <QString>
#include <QWidget>

namespace Ui {
class WidgetPageHarvestRun;
}

// Sync now: step 1 shows what the cloud last got from the bound band and starts a run; step 2
// follows the run on a busy meter until it ends or the user cancels.
class PAGEHARVESTRUN_EXPORT WidgetPageHarvestRun : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageHarvestRun(QWidget* parent = nullptr);
    ~WidgetPageHarvestRun() override;

    bool setMsg(CoreHub* msg) override;
    // Asks the cloud about the first bound band; what the request returned, 0 when none went out.
    int queryLastSync();

protected slots:
    void on_NsQueryLastSync(const QDateTime& lastStatisticsTm, const QDateTime& lastSJDate,
                            const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);
    void on_Status(BandHarvest::STATUS status, QString prompt);
    void on_syncNowClick();
    void on_cancelSyncClick();

private:
    void askToBind();

    BandHarvest* m_harvest = nullptr;
    bool m_idle = true;  // no run started here is being followed
    Ui::WidgetPageHarvestRun* ui;
};

#endif // WIDGETPAGEHARVESTRUN_H
