#include "widgetnavigate.h"
#include "ui_widgetnavigate.h"

#include "corehub.h"
#include "resource.h"
#include "trace.h"
#include "widgetline.h"

#include <QBitmap>
#include <QPixmap>

namespace {

const int ENTRIES = 6;
const int USER_FONT_PIXELS = 12;
const QColor COLOR_NORMAL(93, 102, 117);
const QColor COLOR_CURRENT(17, 190, 222);
const Resource::ID PICTURE_HEAD_MASK = 9;
const Resource::ID PICTURE_BACKGROUND = 50;
const Resource::ID PICTURE_CURRENT = 52;
// Normal and current icon of each entry.
const Resource::ID ICONS[ENTRIES][2] = {{53, 54}, {55, 56}, {57, 58}, {59, 60}, {61, 62}, {63, 64}};

QString entryText(const int& index)
{
    switch (index) {
    case 0:
        return QObject::tr("今天数据");
    case 1:
        return QObject::tr("健康指数");
    case 2:
        return QObject::tr("手环管理");
    case 3:
        return QObject::tr("统计分析");
    case 4:
        return QObject::tr("数据同步");
    default:
        return QObject::tr("任务系统");
    }
}

} // namespace

WidgetNavigate::WidgetNavigate(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetNavigate)
{
    Resource::updateBackground(this, Resource::getResPath(PICTURE_BACKGROUND));
    ui->setupUi(this);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::All, QPalette::Base, palette.brush(QPalette::Window));
    setPalette(palette);
    buildList();
    updateLanguage();

    ui->label_user->setCursor(Qt::PointingHandCursor);
    // The nickname is the cloud's text: markup in it is shown as written, never rendered or loaded.
    ui->label_user->setTextFormat(Qt::PlainText);
    ui->ico_head->setAttribute(Qt::WA_TranslucentBackground);
    const QBitmap mask(Resource::getResPath(PICTURE_HEAD_MASK));
    if (!mask.isNull())
        ui->ico_head->setMask(mask);
    ui->bt_logout->setCursor(Qt::PointingHandCursor);

    connect(ui->bt_logout, &TapCaption::on_click, this, &WidgetNavigate::on_LogoutClick);
    connect(ui->label_user, &TapCaption::on_click, this, &WidgetNavigate::on_UserClick);
    connect(ui->ico_head, &RemotePicture::on_click, this, &WidgetNavigate::on_UserClick);
}

WidgetNavigate::~WidgetNavigate()
{
    disconnect(ui->bt_logout, &TapCaption::on_click, this, &WidgetNavigate::on_LogoutClick);
    disconnect(ui->label_user, &TapCaption::on_click, this, &WidgetNavigate::on_UserClick);
    disconnect(ui->ico_head, &RemotePicture::on_click, this, &WidgetNavigate::on_UserClick);
    if (Msg())
        disconnect(Msg(), &CoreHub::onWinGotoScan, this, &WidgetNavigate::on_gotoScan);
    delete ui;
}

// Entries are widgets inside the tree's items; the tree is told their height, since the style's
// own item height would cut them or leave gaps.
void WidgetNavigate::buildList()
{
    const WidgetLine measure;
    ui->treeWidget->setStyleSheet(QStringLiteral("QTreeWidget::item{height:%1px}").arg(measure.height()));
    for (int i = 0; i < ENTRIES; ++i) {
        auto* item = new QTreeWidgetItem(0);
        auto* line = new WidgetLine(nullptr);
        line->setTreeItem(item);
        line->setTextColor(COLOR_NORMAL);
        ui->treeWidget->addTopLevelItem(item);
        ui->treeWidget->setItemWidget(item, 0, line);
    }
    QFont font = ui->label_user->font();
    font.setPixelSize(USER_FONT_PIXELS);
    ui->label_user->setFont(font);
    ui->bt_logout->setFont(font);
    ui->label_user->setCaptionColor(COLOR_NORMAL);
    ui->bt_logout->setCaptionColor(COLOR_NORMAL);
    ui->treeWidget->setCurrentItem(ui->treeWidget->topLevelItem(ITEM_TODAY));
}

bool WidgetNavigate::setMsg(CoreHub* msg)
{
    Attribute::setMsg(msg);
    if (msg) {
        connect(msg, &CoreHub::onNsAccountUpdate, this, &WidgetNavigate::on_NsAccountUpdate, Qt::UniqueConnection);
        connect(msg, &CoreHub::onWinGotoScan, this, &WidgetNavigate::on_gotoScan, Qt::UniqueConnection);
    }
    ui->ico_head->setMsg(msg);
    if (msg)
        ui->ico_head->setBgImg(msg->nsAccount().avatar);
    updateLanguage();
    return Attribute::setMsg(msg);
}

// An entry gets its current icon only when it becomes current; here every entry gets its normal one.
void WidgetNavigate::updateLanguage()
{
    const int count = qMin(ui->treeWidget->topLevelItemCount(), ENTRIES);
    for (int i = 0; i < count; ++i) {
        auto* line = qobject_cast<WidgetLine*>(ui->treeWidget->itemWidget(ui->treeWidget->topLevelItem(i), 0));
        if (!line)
            continue;
        line->setIcon(Resource::getResPath(ICONS[i][0]));
        line->setText(entryText(i));
    }
    ui->bt_logout->setText(QStringLiteral("【%1】").arg(QObject::tr("退出")));
    if (Msg())
        ui->label_user->setText(Msg()->nsAccount().nickname);
}

void WidgetNavigate::styleItem(QTreeWidgetItem* item, const bool& current)
{
    const int index = ui->treeWidget->indexOfTopLevelItem(item);
    if (index < 0 || index >= ENTRIES)
        return;
    auto* line = qobject_cast<WidgetLine*>(ui->treeWidget->itemWidget(item, 0));
    if (!line)
        return;
    line->setIcon(Resource::getResPath(ICONS[index][current ? 1 : 0]));
    line->setTextColor(current ? COLOR_CURRENT : COLOR_NORMAL);
    item->setBackground(0, current ? QBrush(QPixmap(Resource::getResPath(PICTURE_CURRENT)))
                                   : palette().brush(QPalette::Window));
}

void WidgetNavigate::on_treeWidget_currentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    const int currentIndex = current ? ui->treeWidget->indexOfTopLevelItem(current) : int(ITEM_NONE);
    const int previousIndex = previous ? ui->treeWidget->indexOfTopLevelItem(previous) : int(ITEM_NONE);
    if (current)
        styleItem(current, true);
    if (previous)
        styleItem(previous, false);
    emit onItemChanged(currentIndex, previousIndex);
}

// The container hears "no entry" twice before the user tab; it relies on that order.
void WidgetNavigate::on_UserClick()
{
    QTreeWidgetItem* remembered = ui->treeWidget->currentItem();
    ui->treeWidget->setCurrentItem(nullptr);
    on_treeWidget_currentItemChanged(nullptr, remembered);
    emit onItemChanged(ITEM_USER, ITEM_NONE);
}

void WidgetNavigate::on_gotoScan()
{
    QTreeWidgetItem* remembered = ui->treeWidget->currentItem();
    QTreeWidgetItem* band = ui->treeWidget->topLevelItem(ITEM_BAND);
    ui->treeWidget->setCurrentItem(band);
    on_treeWidget_currentItemChanged(band, remembered);
}

void WidgetNavigate::on_NsAccountUpdate()
{
    if (!Msg())
        return;
    ui->ico_head->setBgImg(Msg()->nsAccount().avatar);
    updateLanguage();
}

void WidgetNavigate::on_LogoutClick()
{
    CoreHub* hub = Msg();
    if (!hub)
        return;
    ui->bt_logout->setEnabled(false);
    connect(hub, &CoreHub::onNsLogout, this, &WidgetNavigate::on_NsLogout, Qt::UniqueConnection);
    if (hub->nsLogout(hub->nsToken(), CoreHub::version(), hub->LanguageString()))
        return;
    // Nothing went out (no token), so no answer will come to give the button back.
    QLOG << "logout not sent";
    disconnect(hub, &CoreHub::onNsLogout, this, &WidgetNavigate::on_NsLogout);
    ui->bt_logout->setEnabled(true);
}

void WidgetNavigate::on_NsLogout(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg)
{
    Q_UNUSED(returnMsg)
    CoreHub* hub = Msg();
    if (!hub)
        return;
    disconnect(hub, &CoreHub::onNsLogout, this, &WidgetNavigate::on_NsLogout);
    ui->bt_logout->setEnabled(true);
    if (returnCode.code != 0)
        return;
    hub->setNsToken(QString());
    emit onLogout();
}
