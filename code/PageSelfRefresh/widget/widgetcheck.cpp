#include "widgetcheck.h"
#include "ui_widgetcheck.h"

#include "corehub.h"
#include "tapimages.h"
#include "trace.h"

namespace {

const char* const kAnswer = SIGNAL(onNsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString));
const char* const kAnswerSlot = SLOT(on_NsAppVer(QString,bool,QString,QString,CloudGate::ns_ret_code,QString));

} // namespace

WidgetCheck::WidgetCheck(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetCheck)
{
    ui->setupUi(this);
    initData();
}

WidgetCheck::~WidgetCheck()
{
    disconnect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    disconnect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    disconnect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
    if (Msg())
        disconnect(Msg(), kAnswer, this, kAnswerSlot);
    delete ui;
}

void WidgetCheck::initData()
{
    setTapImages(ui->bt_close, 11);
    setTapImages(ui->bt_cancel, 33);
    setTapImages(ui->bt_ok, 33);
    ui->label_title->setText(QObject::tr("软件更新(检测)"));
    ui->bt_cancel->setCaption(QObject::tr("取消"));
    ui->bt_ok->setCaption(QObject::tr("检测"));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    connect(ui->bt_ok, SIGNAL(on_click()), this, SLOT(on_okClick()));
}

bool WidgetCheck::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetCheck::start()
{
    CoreHub* hub = Msg();
    if (!hub) {
        ui->label_text->setText(QObject::tr("无法连接到消息中心!!!"));
        return;
    }
    ui->bt_ok->setEnabled(false);
    ui->label_description->setText(QObject::tr("取消点击\"取消\",重试点击\"检测\"."));
    // One request, one answer: a second press must not leave two connections behind.
    disconnect(hub, kAnswer, this, kAnswerSlot);
    connect(hub, kAnswer, this, kAnswerSlot);
    if (hub->nsAppVer(hub->appKey(), CoreHub::appSysType(), CoreHub::version(), hub->LanguageString())) {
        ui->label_text->setText(QObject::tr("正在检测更新..."));
        return;
    }
    ui->label_text->setText(QObject::tr("发送请求失败!!!"));
    disconnect(hub, kAnswer, this, kAnswerSlot);
    ui->bt_ok->setEnabled(true);
}

void WidgetCheck::on_NsAppVer(QString appVersion, bool isGoUp, QString appUrl, QString appVerContent,
                              CloudGate::ns_ret_code returnCode, QString returnMsg)
{
    ui->bt_ok->setEnabled(true);
    CoreHub* hub = Msg();
    if (!hub) {
        ui->label_text->setText(QObject::tr("无法连接到消息中心!!!"));
        return;
    }
    disconnect(hub, kAnswer, this, kAnswerSlot);
    QLOG << "appVersion=" << appVersion << ",appUrl=" << appUrl << ",code=" << returnCode.code << ",msg=" << returnMsg;
    if (returnCode.code != CloudGate::NS_RET_SUCCESS) {
        ui->label_text->setText(QObject::tr("检测失败,请重试!!!"));
        ui->label_description->setText(returnCode.retMsg);
        return;
    }
    if (CoreHub::version() == appVersion) {
        ui->label_text->setText(QObject::tr("已是最新版本."));
        ui->label_description->setText(QObject::tr("当前已是最新版本,不需要更新."));
        return;
    }
    emit onNext(appVersion, isGoUp, appUrl, appVerContent);
}

void WidgetCheck::on_closeClick()
{
    emit onClose();
}

void WidgetCheck::on_cancelClick()
{
    emit onClose();
}

void WidgetCheck::on_okClick()
{
    start();
}
