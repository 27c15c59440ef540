#include "dialogdeviceinstall.h"
#include "ui_dialogdeviceinstall.h"

#include "resource.h"
#include "tapcaption.h"
#include "trace.h"
#include "uartchannel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>

#include <unistd.h>

namespace {

const ushort kAdapterVendor = 0x0451;
const ushort kAdapterProduct = 0x16AA;
const int kWaitInterval = 100;
const QPoint kNoDrag(-1, -1);

const Resource::ID kCloseFirst = 11;
const Resource::ID kButtonFirst = 33;

const QString kInstaller = QStringLiteral("driver/installDriver");
const QString kRules = QStringLiteral("driver/60-quorin-adapter.rules");

void setImages(TapCaption* button, const Resource::ID& first)
{
    button->setStateImages(Resource::getResPath(first), Resource::getResPath(first + 1),
                           Resource::getResPath(first + 2));
}

QPoint roundedGlobalPos(const QMouseEvent* event)
{
    return event->screenPos().toPoint();
}

QString besideProgram(const QString& file)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + file;
}

} // namespace

DialogDeviceInstall::DialogDeviceInstall(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogDeviceInstall)
    , m_dragOffset(0, 0)
{
    ui->setupUi(this);
    m_waitTimer = new QTimer(this);
    m_waitTimer->setInterval(kWaitInterval);
    setWindowFlags(Qt::FramelessWindowHint);
    setImages(ui->bt_close, kCloseFirst);
    setImages(ui->bt_cancel, kButtonFirst);
    ui->label_title->setText(QObject::tr("安装驱动"));
    connect(m_waitTimer, SIGNAL(timeout()), this, SLOT(on_waitDone()));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_closeClick()));
    connect(ui->bt_cancel, SIGNAL(on_click()), this, SLOT(on_cancelClick()));
    setTexts(QObject::tr("正准备安装驱动..."), QObject::tr("提示:此操作需要管理器权限."), QObject::tr("取消"));
    checkDriver();
}

DialogDeviceInstall::~DialogDeviceInstall()
{
    m_waitTimer->stop();
    delete ui;
}

bool DialogDeviceInstall::probeAdapter()
{
    const UartChannel::uc_portinfo port = UartChannel::serialForDevice(kAdapterVendor, kAdapterProduct, 1, 0);
    if (!port.isValid())
        return false;
    return ::access(QFile::encodeName(port.systemLocation()).constData(), R_OK | W_OK) == 0;
}

void DialogDeviceInstall::checkDriver()
{
    ui->label_text->setText(QObject::tr("检查驱动"));
    if (probeAdapter()) {
        showResult(true);
        return;
    }
    installDriver();
}

// Started without a shell, so blanks in the program's path stay inside one argument.
void DialogDeviceInstall::installDriver()
{
    setTexts(QObject::tr("正在安装..."), QObject::tr("请把设备连接到计算机后,安装将自动继续."), QObject::tr("取消"));
    const QString program = besideProgram(kInstaller);
    const QString parameter = besideProgram(kRules);
    m_launched = QProcess::startDetached(program, {parameter});
    const QString quotedProgram = QLatin1Char('"') + program + QLatin1Char('"');
    const QString quotedParameter = QLatin1Char('"') + parameter + QLatin1Char('"');
    QLOG << QStringLiteral("%1 %2").arg(quotedProgram, quotedParameter) << ",started=" << m_launched;
    showResult(false);
    m_waitTimer->start();
}

void DialogDeviceInstall::on_waitDone()
{
    if (probeAdapter()) {
        m_waitTimer->stop();
        setTexts(QObject::tr("安装完成"), QObject::tr("驱动已经安装完成."), QObject::tr("完成"));
        return;
    }
    if (!m_launched)
        return;
    setTexts(QObject::tr("等待驱动安装完成..."),
             QObject::tr("正在等待驱动安装完成;如果长时间没有完成,请取消后拔出硬件再接入后重新安装."),
             QObject::tr("取消"));
}

void DialogDeviceInstall::showResult(const bool& ok)
{
    if (ok) {
        setTexts(QObject::tr("安装成功."), QObject::tr("驱动程序已经安装完成."), QObject::tr("完成"));
        return;
    }
    setTexts(QObject::tr("安装失败."), QObject::tr("驱动程序安装失败,请重试!!!"), QObject::tr("重试"));
}

void DialogDeviceInstall::setTexts(const QString& text, const QString& description, const QString& button)
{
    ui->label_text->setText(text);
    ui->label_description->setText(description);
    ui->bt_cancel->setCaption(button);
}

void DialogDeviceInstall::on_closeClick()
{
    emit onClose();
    close();
}

void DialogDeviceInstall::on_cancelClick()
{
    emit onClose();
    close();
}

// Any close tells the opener, who lets go of the dialog on the first word.
void DialogDeviceInstall::closeEvent(QCloseEvent* event)
{
    emit onClose();
    QDialog::closeEvent(event);
}

void DialogDeviceInstall::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = roundedGlobalPos(event) - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void DialogDeviceInstall::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_dragOffset != kNoDrag)
        move(roundedGlobalPos(event) - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void DialogDeviceInstall::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = kNoDrag;
    QDialog::mouseReleaseEvent(event);
}
