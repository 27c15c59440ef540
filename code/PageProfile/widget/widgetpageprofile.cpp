#include "widgetpageprofile.h"
#include "ui_widgetpageprofile.h"

#include "corehub.h"
#include "resource.h"
#include "trace.h"

#include <QPixmap>

namespace {
const Resource::ID maleBoxUnchecked = 36;
const Resource::ID maleBoxChecked = 38;
const Resource::ID malePicture = 39;
const Resource::ID femalePicture = 41;
// The account keeps age, height and weight in 16 bits.
const uint largestNumber = 0xFFFF;

// The account holds whole numbers, the health numbers the cloud's own figure. That figure is the
// account's only while it truncates to the account's number: a whole one saved since wins.
double exactFigure(const double& health, const quint16& account)
{
    return health >= account && health < account + 1.0 ? health : double(account);
}
} // namespace

WidgetPageProfile::WidgetPageProfile(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageProfile)
{
    ui->setupUi(this);
    ui->bt_male->setImages(maleBoxUnchecked, maleBoxChecked);
    ui->bt_female->setImages(maleBoxUnchecked, maleBoxChecked);
    ui->bt_male->setCaption(QObject::tr("男"));
    ui->bt_female->setCaption(QObject::tr("女"));
    ui->bt_done->setCursor(Qt::PointingHandCursor);
    ui->bt_done->setStateImages(Resource::getResPath(33), Resource::getResPath(34), Resource::getResPath(35));
    ui->bt_done->setCaption(QObject::tr("保存"));
    connect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_DoneClock()));
    connect(ui->bt_male, SIGNAL(onChanged(bool)), this, SLOT(on_maleChanged(bool)));
    connect(ui->bt_female, SIGNAL(onChanged(bool)), this, SLOT(on_femaleChanged(bool)));
}

WidgetPageProfile::~WidgetPageProfile()
{
    disconnect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_DoneClock()));
    disconnect(ui->bt_male, SIGNAL(onChanged(bool)), this, SLOT(on_maleChanged(bool)));
    disconnect(ui->bt_female, SIGNAL(onChanged(bool)), this, SLOT(on_femaleChanged(bool)));
    delete ui;
}

bool WidgetPageProfile::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    getSync();
    return result;
}

// A field the user has open keeps what was typed there; only its grey hint follows the cache.
void WidgetPageProfile::fillField(EntryField* field, const QString& value)
{
    field->setBgText(value);
    if (!field->lineEdit()->isVisible())
        field->lineEdit()->setText(value);
}

// Without a hub there is no account to show: the form stays as it is.
bool WidgetPageProfile::getSync()
{
    QLOG;
    CoreHub* hub = Msg();
    if (!hub)
        return false;
    const CloudGate::ns_account account = hub->nsAccount();
    const CloudGate::ns_get_bmi_detail health = hub->nsBmi();
    fillField(ui->input_name, account.nickname);
    m_height.fill(ui->input_height, exactFigure(health.height, account.height));
    m_weight.fill(ui->input_weight, exactFigure(health.weight, account.weight));
    fillField(ui->input_age, QString::number(account.age));
    setGender(account.gender);
    ui->bt_male->setChecked(account.gender);
    ui->bt_female->setChecked(!account.gender);
    return true;
}

bool WidgetPageProfile::readNumber(EntryField* field, const QString& complaint, quint16* value)
{
    bool ok = false;
    const uint number = field->lineEdit()->text().toUInt(&ok, 10);
    if (!ok || number > largestNumber) {
        ui->prompt->setText(complaint);
        return false;
    }
    *value = quint16(number);
    return true;
}

// A field still as it was filled goes out as the figure kept for it, a typed one as its number.
bool WidgetPageProfile::readFigure(EntryField* field, const FieldFigure& kept, const QString& complaint,
                                   quint16* whole, double* figure)
{
    if (!readNumber(field, complaint, whole))
        return false;
    *figure = kept.heldBy(field) ? kept.figure() : double(*whole);
    return true;
}

// A number the account cannot hold is refused here: the cloud would store something else than
// the page shows as saved.
bool WidgetPageProfile::readEntries(CloudGate::ns_account* account, body_figures* figures)
{
    account->nickname = ui->input_name->lineEdit()->text();
    account->gender = ui->bt_male->checked();
    return readNumber(ui->input_age, QObject::tr("年龄须为0到65535之间的整数!"), &account->age)
           && readFigure(ui->input_height, m_height, QObject::tr("身高须为0到65535之间的整数!"), &account->height,
                         &figures->height)
           && readFigure(ui->input_weight, m_weight, QObject::tr("体重须为0到65535之间的整数!"), &account->weight,
                         &figures->weight);
}

bool WidgetPageProfile::setSync()
{
    CoreHub* hub = Msg();
    if (!hub)
        return false;
    ui->prompt->setText(QString());
    CloudGate::ns_account edited = hub->nsAccount();
    body_figures figures;
    if (!readEntries(&edited, &figures))
        return false;
    m_account = edited;
    setEnabled(false);
    connect(hub, SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsUserInfo(CloudGate::ns_ret_code,QString)));
    if (hub->nsUserInfo(hub->nsToken(), m_account, figures.height, figures.weight, CoreHub::version(),
                        hub->LanguageString()))
        return true;
    // Nothing went out (no token), so no reply will come to enable the page.
    disconnect(hub, SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsUserInfo(CloudGate::ns_ret_code,QString)));
    setEnabled(true);
    ui->prompt->setText(QObject::tr("发送失败,请重新登录!"));
    return false;
}

void WidgetPageProfile::on_DoneClock()
{
    setSync();
}

void WidgetPageProfile::on_NsUserInfo(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    setEnabled(true);
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsUserInfo(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsUserInfo(CloudGate::ns_ret_code,QString)));
    QLOG << "code=" << returnCode.code << "retCode=" << returnCode.retCode;
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        ui->prompt->setText(returnCode.retMsg);
        return;
    }
    ui->prompt->setText(QObject::tr("保存成功"));
    hub->setNsAccount(m_account);
    getSync();
    emit hub->onNsAccountUpdate();
}

void WidgetPageProfile::on_maleChanged(const bool& state)
{
    ui->bt_female->setChecked(!state);
    setGender(state);
}

void WidgetPageProfile::on_femaleChanged(const bool& state)
{
    ui->bt_male->setChecked(!state);
    setGender(!state);
}

void WidgetPageProfile::setGender(const bool& male)
{
    const QPixmap picture(Resource::getResPath(male ? malePicture : femalePicture));
    ui->img_sex->setPixmap(picture, Qt::IgnoreAspectRatio);
}
