#include "widgetline.h"
#include "ui_widgetline.h"

#include "resource.h"

#include <QPixmap>
#include <QTreeWidget>

namespace {
const Resource::ID PICTURE_HOVER = 51;
const Resource::ID PICTURE_CURRENT = 52;
}

WidgetLine::WidgetLine(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetLine)
{
    ui->setupUi(this);
    ui->label->setAttribute(Qt::WA_TranslucentBackground);
    ui->label_2->setAttribute(Qt::WA_TranslucentBackground);
    ui->label_2->setAlignment(Qt::AlignCenter);
    m_hoverBrush = QBrush(QPixmap(Resource::getResPath(PICTURE_HOVER)));
}

WidgetLine::~WidgetLine()
{
    delete ui;
}

void WidgetLine::setTreeItem(QTreeWidgetItem* item)
{
    m_item = item;
}

void WidgetLine::setIcon(const QString& path)
{
    ui->label_2->setPixmap(QPixmap(path));
}

void WidgetLine::setText(const QString& text)
{
    ui->label->setText(text);
}

void WidgetLine::setTextColor(const QColor& color)
{
    QPalette palette = ui->label->palette();
    palette.setBrush(QPalette::All, QPalette::Text, QBrush(color, Qt::SolidPattern));
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(color, Qt::SolidPattern));
    ui->label->setPalette(palette);
}

void WidgetLine::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    if (!m_item)
        return;
    m_savedBrush = m_item->background(0);
    m_item->setBackground(0, m_hoverBrush);
}

void WidgetLine::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (!m_item)
        return;
    if (m_item->treeWidget() && m_item->isSelected()) {
        m_item->setBackground(0, QBrush(QPixmap(Resource::getResPath(PICTURE_CURRENT))));
        return;
    }
    m_item->setBackground(0, m_savedBrush);
}
