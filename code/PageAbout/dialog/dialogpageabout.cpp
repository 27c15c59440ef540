#include "dialogpageabout.h"
#include "ui_dialogpageabout.h"

#include "pageaboutwidgetline.h"
#include "resource.h"
#include "trace.h"

#include <QBitmap>
#include <QPalette>

namespace {
struct entry {
    int code;
    Resource::ID icon;
};

const entry entries[] = {
    {0x100, 85}, {0x101, 86}, {0x102, 87}, {0x103, 88}, {0x104, 89},
};

// Only these open something: program update, firmware update, driver installation.
const int enabledRows[] = {3, 1, 4};

QString entryText(const int& row)
{
    switch (row) {
    case 0:
        return QObject::tr("使用帮助");
    case 1:
        return QObject::tr("软件更新");
    case 2:
        return QObject::tr("关于Quorin");
    case 3:
        return QObject::tr("固件更新");
    default:
        return QObject::tr("安装驱动");
    }
}
} // namespace

DialogPageAbout::DialogPageAbout(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DialogPageAbout)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setMask(QBitmap(Resource::getResPath(10)));
    QPalette palette = this->palette();
    palette.setBrush(QPalette::All, QPalette::Window, ui->treeWidget->palette().brush(QPalette::Base));
    setPalette(palette);
    addEntries();
}

DialogPageAbout::~DialogPageAbout()
{
    delete ui;
}

void DialogPageAbout::addEntries()
{
    int entryHeight = 0;
    for (int row = 0; row < int(sizeof(entries) / sizeof(entries[0])); ++row) {
        auto* item = new QTreeWidgetItem(0);
        auto* line = new PageAboutWidgetLine(nullptr);
        const QString text = entryText(row);
        line->setEnabled(false);
        // The click logs the entry by this title.
        line->setWindowTitle(text);
        line->setItem(entries[row].code, QPixmap(Resource::getResPath(entries[row].icon)), text);
        ui->treeWidget->addTopLevelItem(item);
        ui->treeWidget->setItemWidget(item, 0, line);
        entryHeight = line->height();
    }
    for (const int row : enabledRows)
        ui->treeWidget->itemWidget(ui->treeWidget->topLevelItem(row), 0)->setEnabled(true);
    resize(width(), ui->treeWidget->topLevelItemCount() * entryHeight + 40);
}

void DialogPageAbout::on_treeWidget_itemClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(column)
    if (!item)
        return;
    auto* line = qobject_cast<PageAboutWidgetLine*>(ui->treeWidget->itemWidget(item, 0));
    if (!line) {
        QLOG << "NULL";
        return;
    }
    QLOG << line->windowTitle();
    if (line->isEnabled()) {
        done(line->itemCode());
        return;
    }
    // A disabled entry must not stay highlighted as if chosen.
    ui->treeWidget->setCurrentItem(nullptr);
    QLOG << "Disenable!";
}
