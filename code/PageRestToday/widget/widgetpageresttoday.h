#ifndef WIDGETPAGERESTTODAY_H
#define WIDGETPAGERESTTODAY_H

#include "attribute.h"
#include "pageresttoday_export.h"
#include "resource.h"

#include <QDate>
#include <QPixmap>
#include <QWidget>

namespace Ui {
class WidgetPageRestToday;
}

// One night's sleep: the steps card's source built with the sleep card's form and figures
// (widgetpagestepstoday.h says how the card works).
class PAGERESTTODAY_EXPORT WidgetPageRestToday : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageRestToday(QWidget* parent = nullptr);
    ~WidgetPageRestToday() override;

    bool setMsg(CoreHub* msg) override;
    // first to third: fell asleep, light sleep, deep sleep; value and target: the night's sleep.
    void setValue(const QString& first, const QString& second, const QString& third, const unsigned char& percent,
                  const QString& value, const QString& target);
    void setLineShow(const bool& show);
    QDate currentDate() const;
    // true: the icon opens the calendar; false: it shows the title image.
    void setIcoDate(const bool& on);
    void setTitle(const Resource::ID& icon, const QString& text);

signals:
    void onUpdateData(QDate date);

public slots:
    void on_updateData(const QDate& date);

protected slots:
    void on_icoClick();

private:
    QPixmap m_titleImage;
    QDate m_date;
    Ui::WidgetPageRestToday* ui;
};

#endif // WIDGETPAGERESTTODAY_H
