#include "widgethealthindex.h"
#include "ui_widgethealthindex.h"

#include "cloudgate_json.h"
#include "corehub.h"
#include "entryfield.h"
#include "glowentry.h"
#include "resource.h"
#include "trace.h"

#include <QPixmap>

namespace {

const char* const ACCOUNT_SIGNAL = SIGNAL(onNsAccountUpdate());
const char* const ACCOUNT_SLOT = SLOT(on_NsAccountUpdate());
const char* const HEALTH_SIGNAL = SIGNAL(onNsSetHealthNum(CloudGate::ns_ret_code,QString));
const char* const HEALTH_SLOT = SLOT(on_NsSetHealthNum(CloudGate::ns_ret_code,QString));
const char* const TEXT_SIGNAL = SIGNAL(textChanged(QString));
const char* const HEIGHT_SLOT = SLOT(on_heightChanged(QString));
const char* const WEIGHT_SLOT = SLOT(on_weightChanged(QString));
const char* const SET_SIGNAL = SIGNAL(onSetSync(bool,QString));
const char* const SET_SLOT = SLOT(on_SetSync(bool,QString));

const Resource::ID BUTTON_REST = 33;
const Resource::ID BUTTON_OVER = 34;
const Resource::ID BUTTON_PRESSED = 35;
const Resource::ID BMI_PICTURE = 77;
const int TARGET_COUNT = 2;  // step and sleep

// The live BMI reads a field as the page always has: 16 bits, anything unreadable as 0.
quint16 liveFigure(const QString& text)
{
    return quint16(text.toUInt(nullptr, 10));
}

// A figure the cloud may store: a whole number that fits the 16 bits the page reads it as.
bool bodyFigure(const QString& text, quint16* figure)
{
    bool read = false;
    const uint value = text.toUInt(&read, 10);
    if (!read || value > 0xffff)
        return false;
    *figure = quint16(value);
    return true;
}

} // namespace

WidgetHealthIndex::WidgetHealthIndex(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetHealthIndex)
{
    ui->setupUi(this);
    initData();
}

WidgetHealthIndex::~WidgetHealthIndex()
{
    disconnect(ui->widget_helath_index, SIGNAL(onGetSync(bool,QString)), this, SLOT(on_GetSync(bool,QString)));
    watchTyping(false);
    disconnect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_doneClick()));
    delete ui;
}

void WidgetHealthIndex::initData()
{
    enableOperate(false);
    ui->bt_done->setCaption(QObject::tr("修改"));
    ui->bt_done->setStateImages(Resource::getResPath(BUTTON_REST), Resource::getResPath(BUTTON_OVER),
                                Resource::getResPath(BUTTON_PRESSED));
    const QString bmiPath = Resource::getResPath(BMI_PICTURE);
    const QPixmap bmiPicture(bmiPath);
    // A missing picture must not shrink the BMI figure to nothing, and a large one must not
    // outgrow its fixed frame and clip the figure: the background is scaled to the size set here.
    if (!bmiPicture.isNull()) {
        const QSize size = bmiPicture.size().boundedTo(ui->widget_4->maximumSize());
        ui->widget_bmi->setMinimumSize(size);
        ui->widget_bmi->setMaximumSize(size);
    }
    Resource::updateBackground(ui->widget_bmi, bmiPath);
    connect(ui->widget_helath_index, SIGNAL(onGetSync(bool,QString)), this, SLOT(on_GetSync(bool,QString)));
    watchTyping(true);
    connect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_doneClick()));
}

void WidgetHealthIndex::enableOperate(const bool& enable)
{
    ui->line->setEnabled(enable);
    ui->widget->setEnabled(enable);
    ui->widget_3->setEnabled(enable);
    ui->widget_helath_index->setEnabled(enable);
}

void WidgetHealthIndex::watchTyping(const bool& watch)
{
    if (watch) {
        connect(ui->input_height->lineEdit(), TEXT_SIGNAL, this, HEIGHT_SLOT);
        connect(ui->input_weight->lineEdit(), TEXT_SIGNAL, this, WEIGHT_SLOT);
        return;
    }
    disconnect(ui->input_height->lineEdit(), TEXT_SIGNAL, this, HEIGHT_SLOT);
    disconnect(ui->input_weight->lineEdit(), TEXT_SIGNAL, this, WEIGHT_SLOT);
}

bool WidgetHealthIndex::setMsg(CoreHub* msg)
{
    ui->widget_helath_index->Attribute::setMsg(msg);
    const bool result = Attribute::setMsg(msg);
    if (!msg)
        return result;
    disconnect(msg, ACCOUNT_SIGNAL, this, ACCOUNT_SLOT);
    connect(msg, ACCOUNT_SIGNAL, this, ACCOUNT_SLOT);
    ui->widget_helath_index->getSync();
    return result;
}

void WidgetHealthIndex::on_NsAccountUpdate()
{
    ui->widget_helath_index->getSync();
}

void WidgetHealthIndex::on_GetSync(bool state, QString prompt)
{
    enableOperate(true);
    if (!state) {
        ui->prompt->setText(prompt);
        return;
    }
    // Figures from the cloud are not typing: the BMI shows the cloud's health index instead.
    watchTyping(false);
    const CloudGate::ns_get_bmi_detail numbers = ui->widget_helath_index->bmi();
    m_height.fill(ui->input_height, numbers.height, QStringLiteral("cm"));
    m_weight.fill(ui->input_weight, numbers.weight, QStringLiteral("kg"));
    showBmi(numbers.healthNumber);
    watchTyping(true);
}

// A text other than the one the figure was kept for was typed: it is read as the page always has.
FieldFigure WidgetHealthIndex::readFigure(EntryField* field, const FieldFigure& kept)
{
    if (kept.heldBy(field))
        return kept;
    const QString text = field->text();
    return FieldFigure(text, double(liveFigure(text)));
}

void WidgetHealthIndex::on_heightChanged(QString text)
{
    showBmi(CoreHub::getBmi(liveFigure(text), liveFigure(ui->input_weight->lineEdit()->text())));
}

void WidgetHealthIndex::on_weightChanged(QString text)
{
    showBmi(CoreHub::getBmi(liveFigure(ui->input_height->lineEdit()->text()), liveFigure(text)));
}

void WidgetHealthIndex::showBmi(const double& bmi)
{
    ui->label_bmi->setText(QString("BMI:%1").arg(bmi, 0, 'f', 2));
}

// Checked before the targets go out: a height or weight the cloud cannot take must not leave
// the targets saved and the body numbers silently zeroed or wrapped.
QString WidgetHealthIndex::bodyComplaint() const
{
    quint16 figure = 0;
    if (!bodyFigure(ui->input_height->text(), &figure))
        return QObject::tr("请输入有效的身高 (0 - 65535)");
    if (!bodyFigure(ui->input_weight->text(), &figure))
        return QObject::tr("请输入有效的体重 (0 - 65535)");
    return QString();
}

void WidgetHealthIndex::on_doneClick()
{
    ui->prompt->setText(QString());
    const QString complaint = bodyComplaint();
    if (!complaint.isEmpty()) {
        ui->prompt->setText(complaint);
        return;
    }
    enableOperate(false);
    m_targetsAnswered = 0;
    m_refusal.clear();
    connect(ui->widget_helath_index, SET_SIGNAL, this, SET_SLOT, Qt::UniqueConnection);
    // A target the targets page refuses to send, or a save without a hub, is answered at once and
    // alone: nothing else will follow.
    m_targetsSending = true;
    ui->widget_helath_index->setSync();
    m_targetsSending = false;
    if (m_targetsAnswered > 0)
        targetsAnswered();
}

// Both target answers are awaited before the page is usable again: an answer still out when a
// second save starts would be counted for that save. The first refusal is what the page shows;
// the height and weight go out only after both targets were accepted.
void WidgetHealthIndex::on_SetSync(bool state, QString prompt)
{
    if (!state && m_refusal.isEmpty())
        m_refusal = prompt.isEmpty() ? QObject::tr("保存失败!!!") : prompt;
    ++m_targetsAnswered;
    if (m_targetsSending || m_targetsAnswered < TARGET_COUNT)
        return;
    targetsAnswered();
}

void WidgetHealthIndex::targetsAnswered()
{
    disconnect(ui->widget_helath_index, SET_SIGNAL, this, SET_SLOT);
    if (!m_refusal.isEmpty()) {
        enableOperate(true);
        ui->prompt->setText(m_refusal);
        return;
    }
    sendHealthNumbers();
}

void WidgetHealthIndex::sendHealthNumbers()
{
    CoreHub* hub = Msg();
    if (!hub) {
        enableOperate(true);
        return;
    }
    // Checked at the click; the fields stayed disabled since.
    m_sentHeight = readFigure(ui->input_height, m_height);
    m_sentWeight = readFigure(ui->input_weight, m_weight);
    const CloudGate::ns_account account = hub->nsAccount();
    connect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
    hub->nsSetHealthNum(hub->nsToken(), account.gender, int(account.age), m_sentHeight.figure(),
                        m_sentWeight.figure(), true, CoreHub::version(), hub->LanguageString());
}

// The cloud now holds these in the profile too; the cached account follows, so the profile page
// neither shows nor sends back the old ones. Nobody is told: an account update would have this
// page fetch again and replace the BMI of the saved figures.
void WidgetHealthIndex::keepSavedFigures(CoreHub& hub)
{
    m_height = m_sentHeight;
    m_weight = m_sentWeight;
    CloudGate::ns_account account = hub.nsAccount();
    account.height = CloudJson::low16(m_height.figure());
    account.weight = CloudJson::low16(m_weight.figure());
    hub.setNsAccount(account);
}

void WidgetHealthIndex::on_NsSetHealthNum(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, HEALTH_SIGNAL, this, HEALTH_SLOT);
    if (returnCode.code != 0) {
        enableOperate(true);
        ui->prompt->setText(QObject::tr("保存失败!!!"));
        return;
    }
    keepSavedFigures(*hub);
    ui->prompt->setText(QObject::tr("保存成功."));
    // The BMI of what went out, fractions and all, not of the whole numbers in the fields.
    showBmi(CoreHub::sdCalcBmi(m_height.figure(), m_weight.figure()));
    enableOperate(true);
}
