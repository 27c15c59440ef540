#include "pageaboutwidgetline.h"
#include "ui_pageaboutwidgetline.h"

PageAboutWidgetLine::PageAboutWidgetLine(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::PageAboutWidgetLine)
{
    ui->setupUi(this);
}

PageAboutWidgetLine::~PageAboutWidgetLine()
{
    delete ui;
}

void PageAboutWidgetLine::setItem(const int& code, const QPixmap& icon, const QString& text)
{
    m_code = code;
    ui->ico->setPixmap(icon);
    ui->text->setText(text);
}

int PageAboutWidgetLine::itemCode() const
{
    return m_code;
}
