#include "widgetweekchart.h"
#include "ui_widgetweekchart.h"

#include "corehub.h"
#include "trace.h"

namespace {

const Resource::ID kNoHubImage = 66;
const int kWeekDays = 7;

} // namespace

WidgetWeekChart::WidgetWeekChart(QWidget* parent, const QString& formName, const QSize& size)
    : QWidget(parent)
    , ui(new Ui::WidgetWeekChart)
{
    if (objectName().isEmpty())
        setObjectName(formName);
    ui->setupUi(this);
    resize(size);
}

WidgetWeekChart::~WidgetWeekChart()
{
    disconnect(ui->w_data, SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    delete ui;
}

PageWeekPicker* WidgetWeekChart::card() const
{
    return ui->w_data;
}

ChartCanvas* WidgetWeekChart::chart() const
{
    return ui->w_table;
}

bool WidgetWeekChart::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    updateCurrentData();
    // Unique: a page activated again must still reload once per upload.
    if (msg)
        connect(msg, SIGNAL(onNsDateSync(CloudGate::ns_ret_code,QString)), this,
                SLOT(on_NsDateSync(CloudGate::ns_ret_code,QString)), Qt::UniqueConnection);
    return result;
}

void WidgetWeekChart::updateCurrentData()
{
    updateData(card()->currentDate());
}

void WidgetWeekChart::updateData(const QDate& d)
{
    if (!Msg() || d != card()->currentDate())
        return;
    setEnabled(false);
    // The card announces the week it is given; this page asked for it already.
    disconnect(card(), SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    card()->on_updateData(d);
    connect(card(), SIGNAL(onUpdateData(QDate)), this, SLOT(on_UpdateData(QDate)));
    card()->setPrompt(QObject::tr("加载中..."));
    card()->setImg(loadingImage(), QObject::tr("正在加载"));
    requestWeek(QDateTime(d, QTime()), QDateTime(d.addDays(kWeekDays - 1), QTime()));
    updateLabels(d);
}

void WidgetWeekChart::on_UpdateData(const QDate& d)
{
    updateData(d);
}

// Whatever the upload's outcome, the cloud may hold new days of the week shown.
void WidgetWeekChart::on_NsDateSync(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnCode)
    Q_UNUSED(returnMsg)
    updateCurrentData();
}

void WidgetWeekChart::updateLabels(const QDate& first)
{
    QVector<double> ticks;
    QVector<QString> labels;
    for (int i = 0; i < kWeekDays; ++i) {
        const QDate day = first.addDays(i);
        ticks.append(i * DAY_STEP);
        labels.append(QStringLiteral("%1/%2").arg(day.month()).arg(day.day()));
    }
    ChartAxis* axis = chart()->axis(chart()->xAxis);
    axis->setTickVector(ticks);
    axis->setTickVectorLabels(labels);
}

void WidgetWeekChart::showLegend()
{
    ChartCanvas* canvas = chart();
    canvas->legend->setVisible(true);
    canvas->legend->setFillOrder(QCPLegend::foColumnsFirst);
    canvas->plotLayout()->insertRow(0);
    canvas->plotLayout()->addElement(0, 0, canvas->legend);
    canvas->plotLayout()->setRowStretchFactor(0, 0.001);
}

bool WidgetWeekChart::setLineData(QCPGraph* line, const double& value)
{
    if (!line)
        return false;
    const QCPRange range = chart()->xAxis->range();
    line->setData(QVector<double>{range.lower, range.upper}, QVector<double>{value, value});
    chart()->rescaleAxes(true);
    return true;
}

bool WidgetWeekChart::takeReply(const CloudGate::ns_ret_code& returnCode, const Resource::ID& failImage,
                                const QString& failText)
{
    setEnabled(true);
    if (!Msg()) {
        card()->setPrompt(QObject::tr("连接消息中心失败!!!"));
        card()->setImg(kNoHubImage, failText);
        return false;
    }
    if (returnCode.code != 0) {
        card()->setPrompt(returnCode.retMsg);
        card()->setImg(failImage, failText);
        return false;
    }
    return true;
}

QDate WidgetWeekChart::firstDay(const QDateTime& firstRecord) const
{
    return firstRecord.isValid() ? firstRecord.date() : card()->currentDate();
}

unsigned WidgetWeekChart::minutesOf(const qint32& cloudMinutes)
{
    return cloudMinutes < 0 ? 0u : unsigned(cloudMinutes);
}

QString WidgetWeekChart::totalText(const quint64& minutes)
{
    return QObject::tr("%1小时%2分").arg(minutes / 60).arg(minutes % 60);
}
