#ifndef WIDGETLINE_H
#define WIDGETLINE_H

#include "pagemenu_export.h"

#include <QBrush>
#include <QWidget>

class QTreeWidgetItem;

namespace Ui {
class WidgetLine;
}

// One entry of the navigation list: an icon and a text. Under the mouse it paints its item with
// the hover picture and gives back what the item had when the mouse leaves.
class PAGEMENU_EXPORT WidgetLine : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetLine(QWidget* parent = nullptr);
    ~WidgetLine() override;

    void setTreeItem(QTreeWidgetItem* item);
    void setIcon(const QString& path);
    void setText(const QString& text);
    void setTextColor(const QColor& color);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QBrush m_savedBrush;
    QBrush m_hoverBrush;
    QTreeWidgetItem* m_item = nullptr;  // not owned
    Ui::WidgetLine* ui;
};

#endif // WIDGETLINE_H
