#include "widgetuncompress.h"
#include "ui_widgetuncompress.h"

#include "corehub.h"
#include "resource.h"
#include "tapcaption.h"

#include <QTimer>

namespace {

const int kStepMs = 100;
const char* const kProgress = SIGNAL(onFdProcess(LocalVault::process));
const char* const kTestSlot = SLOT(on_testFdProcess(LocalVault::process));
const char* const kUpdateSlot = SLOT(on_updateFdProcess(LocalVault::process));

void setImages(TapCaption* button, const Resource::ID& first)
{
    button->setStateImages(Resource::getResPath(first), Resource::getResPath(first + 1),
                           Resource::getResPath(first + 2));
}

QString percentText(const QString& pattern, const int& percent)
{
    return pattern.arg(percent).arg(QStringLiteral("%"));
}

} // namespace

WidgetUncompress::WidgetUncompress(QWidget* parent)
    : QWidget(parent, Qt::WindowFlags())
    , ui(new Ui::WidgetUncompress)
{
    ui->setupUi(this);
    initData();
}

WidgetUncompress::~WidgetUncompress()
{
    cleanUp();
    delete ui;
}

void WidgetUncompress::initData()
{
    m_timer = new QTimer(this);
    m_timer->setInterval(kStepMs);
    setImages(ui->bt_close, 11);
    setImages(ui->bt_cancel, 33);
    ui->bt_cancel->setCaption(QObject::tr("取消"));
    connect(m_timer, SIGNAL(timeout()), this, SLOT(on_timerOut()));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
}

bool WidgetUncompress::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetUncompress::setTitle(const QString& title)
{
    ui->label_title->setText(title);
}

// The store's records name their caller by this id: the page's own address.
qint64 WidgetUncompress::pageId() const
{
    return qint64(reinterpret_cast<quintptr>(this));
}

void WidgetUncompress::start(const QString& file, const QString& path)
{
    m_file = file;
    m_path = path;
    CoreHub* hub = Msg();
    if (!hub) {
        ui->label_text->setText(QObject::tr("无法连接到消息中心!"));
        return;
    }
    connect(hub, kProgress, this, kTestSlot);
    if (hub->fdTestExtract(pageId(), m_file))
        return;
    cleanUp();
    ui->label_text->setText(QObject::tr("检测更新包失败!!!"));
}

void WidgetUncompress::on_testFdProcess(LocalVault::process d)
{
    if (d.id != pageId())
        return;
    if (d.done) {
        if (m_timer)
            m_timer->start();
        return;
    }
    ui->progressBar->setValue(d.percent);
    ui->label_text->setText(percentText(QObject::tr("正在验证更新包%1%2..."), d.percent));
}

void WidgetUncompress::on_timerOut()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    // One unpack per start: the timer has done its job once it fired.
    if (m_timer)
        m_timer->stop();
    disconnect(hub, kProgress, this, kTestSlot);
    ui->progressBar->setValue(0);
    ui->label_text->setText(QObject::tr("正准备解压更新包..."));
    connect(hub, kProgress, this, kUpdateSlot);
    if (hub->fdSoftUpdate(pageId(), m_file, m_path)) {
        cleanUp();
        emit onNext(true);
        return;
    }
    cleanUp();
    ui->label_text->setText(QObject::tr("解压更新包出错!!!"));
}

void WidgetUncompress::on_updateFdProcess(LocalVault::process d)
{
    if (d.id != pageId())
        return;
    if (d.done) {
        cleanUp();
        return;
    }
    ui->progressBar->setValue(d.percent);
    ui->label_text->setText(percentText(QObject::tr("正在解压更新包%1%2..."), d.percent));
}

void WidgetUncompress::cleanUp()
{
    if (m_timer) {
        disconnect(m_timer, SIGNAL(timeout()), this, SLOT(on_timerOut()));
        m_timer->stop();
        m_timer->deleteLater();
        m_timer = nullptr;
    }
    if (Msg()) {
        disconnect(Msg(), kProgress, this, kTestSlot);
        disconnect(Msg(), kProgress, this, kUpdateSlot);
    }
}

void WidgetUncompress::on_closeClick()
{
    emit onClose();
}

void WidgetUncompress::on_cancelClick()
{
    emit onClose();
}
