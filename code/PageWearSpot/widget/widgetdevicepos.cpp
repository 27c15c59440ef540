#include "widgetdevicepos.h"
#include "ui_widgetdevicepos.h"

#include "corehub.h"
#include "resource.h"
#include "tapcaption.h"
#include "togglecaption.h"
#include "trace.h"

#include <QPixmap>

namespace {

const int kPositions = 4;
// Indexed by LOCAL: the cloud's number for each position (the table is its own inverse).
const CloudGate::NS_DEV_POS_LIST kCloudOf[kPositions] = {
    CloudGate::NS_DEV_POS_WRIST, CloudGate::NS_DEV_POS_NECK, CloudGate::NS_DEV_POS_WAIST, CloudGate::NS_DEV_POS_ANKLE};
const Resource::ID kFaceIds[kPositions] = {44, 43, 45, 46};
const Resource::ID kSelectedFrame = 47;
const Resource::ID kDoneRest = 48;
const Resource::ID kDonePressed = 49;
const Resource::ID kNoFrame = 0;

QPixmap picture(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id));
}

// Only the low 16 bits pick the entry; -1 for none.
int tableIndex(const qint32& value)
{
    const quint16 low = static_cast<quint16>(value & 0xFFFF);
    return low < kPositions ? low : -1;
}

} // namespace

WidgetDevicePos::WidgetDevicePos(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetDevicePos)
{
    ui->setupUi(this);
    initData();
}

WidgetDevicePos::~WidgetDevicePos()
{
    for (ToggleCaption* choice : {ui->bt_hand, ui->bt_neck, ui->bt_waist, ui->bt_foot})
        disconnect(choice, SIGNAL(onClick(bool,qint32)), this, SLOT(on_Click(bool,qint32)));
    disconnect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_DoneClick()));
    delete ui;
}

void WidgetDevicePos::initData()
{
    const QPixmap frame = picture(kSelectedFrame);
    const QPixmap none = picture(kNoFrame);
    const QPixmap done = picture(kDoneRest);
    ToggleCaption* choices[kPositions] = {ui->bt_hand, ui->bt_neck, ui->bt_waist, ui->bt_foot};
    for (int i = 0; i < kPositions; ++i) {
        choices[i]->setFlag(i);
        connect(choices[i], SIGNAL(onClick(bool,qint32)), this, SLOT(on_Click(bool,qint32)));
    }
    setIcoMaxWH(frame.width(), frame.height());
    for (int i = 0; i < kPositions; ++i) {
        choices[i]->setDisabledSelect(ToggleCaption::STATE_SELECTED);
        choices[i]->setStatePixmap(picture(kFaceIds[i]), none, none, frame);
    }
    connect(ui->bt_done, SIGNAL(on_click()), this, SLOT(on_DoneClick()));
    ui->bt_done->setCaption(QObject::tr("完成"));
    ui->bt_done->setStateImages(Resource::getResPath(kDoneRest), Resource::getResPath(kDoneRest),
                                Resource::getResPath(kDonePressed));
    ui->widget_2->setMinimumSize(done.size());
    ui->bt_done->setMinimumSize(done.size());
    ui->bt_done->setMaximumSize(done.size());
    ui->bt_hand->setState(true);
}

void WidgetDevicePos::setLocal(const LOCAL& local)
{
    m_local = local;
    ToggleCaption* choices[kPositions] = {ui->bt_hand, ui->bt_neck, ui->bt_waist, ui->bt_foot};
    for (ToggleCaption* choice : choices)
        choice->setState(false);
    const int index = tableIndex(local);
    choices[index < 0 ? 0 : index]->setState(true);
}

void WidgetDevicePos::on_Click(bool state, qint32 flag)
{
    if (!state)
        return;
    setLocal(static_cast<LOCAL>(flag));
}

void WidgetDevicePos::setIcoMaxWH(const int& w, const int& h)
{
    for (QWidget* choice : {ui->bt_hand, ui->bt_neck, ui->bt_waist, ui->bt_foot})
        choice->setMaximumSize(w, h);
    for (QWidget* caption : {ui->label_hand, ui->label_neck, ui->label_waist, ui->label_foot})
        caption->setMaximumWidth(w);
}

WidgetDevicePos::LOCAL WidgetDevicePos::devPos() const
{
    return m_local;
}

QString WidgetDevicePos::posName(const LOCAL& local)
{
    switch (local) {
    case LOCAL_WRIST:
        return QObject::tr("手腕");
    case LOCAL_NECK:
        return QObject::tr("项部");
    case LOCAL_WAIST:
        return QObject::tr("腰部");
    case LOCAL_ANKLE:
        return QObject::tr("脚腕");
    }
    return QString();
}

WidgetDevicePos::LOCAL WidgetDevicePos::posNtoL(const CloudGate::NS_DEV_POS_LIST& n)
{
    const int index = tableIndex(n);
    if (index >= 0)
        return static_cast<LOCAL>(kCloudOf[index]);
    QLOG << QStringLiteral("c=%1,n=%2").arg(kPositions).arg(int(n));
    return LOCAL_WRIST;
}

CloudGate::NS_DEV_POS_LIST WidgetDevicePos::posLtoN(const LOCAL& l)
{
    const int index = tableIndex(l);
    if (index >= 0)
        return kCloudOf[index];
    QLOG << QStringLiteral("c=%1,l=%2").arg(kPositions).arg(int(l));
    return CloudGate::NS_DEV_POS_WRIST;
}

void WidgetDevicePos::getSync()
{
}

void WidgetDevicePos::setSync()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    connect(hub, SIGNAL(onNsDevUsePos(CloudGate::ns_ret_code,QString)), this,
            SLOT(on_NsDevUsePos(CloudGate::ns_ret_code,QString)));
    hub->nsDevUsePos(hub->nsToken(), posLtoN(m_local), CoreHub::version(), hub->LanguageString());
}

void WidgetDevicePos::on_DoneClick()
{
    emit onDone();
    setSync();
}

void WidgetDevicePos::on_NsDevUsePos(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, SIGNAL(onNsDevUsePos(CloudGate::ns_ret_code,QString)), this,
               SLOT(on_NsDevUsePos(CloudGate::ns_ret_code,QString)));
    if (returnCode.code != 0) {
        emit onSetSync(false, returnCode.retMsg);
        return;
    }
    emit onSetSync(true, QObject::tr("设备位置设置完成"));
}
