#ifndef PAGEABOUTWIDGETLINE_H
#define PAGEABOUTWIDGETLINE_H

#include "pageabout_export.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace Ui {
class PageAboutWidgetLine;
}

// One entry of the help menu: an icon, a text and the code the menu returns for it.
class PAGEABOUT_EXPORT PageAboutWidgetLine : public QWidget
{
    Q_OBJECT
public:
    explicit PageAboutWidgetLine(QWidget* parent = nullptr);
    ~PageAboutWidgetLine() override;

    void setItem(const int& code, const QPixmap& icon, const QString& text);
    int itemCode() const;

private:
    int m_code = 0;
    Ui::PageAboutWidgetLine* ui;
};

#endif // PAGEABOUTWIDGETLINE_H
