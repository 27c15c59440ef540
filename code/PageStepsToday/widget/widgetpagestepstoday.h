#ifndef WIDGETPAGESTEPSTODAY_H
#define WIDGETPAGESTEPSTODAY_H

#include "attribute.h"
#include "pagestepstoday_export.h"
#include "resource.h"

#include <QDate>
#include <QPixmap>
#include <QWidget>

namespace Ui {
class WidgetPageStepsToday;
}

// One day's steps under a title row: the figures card with three figures and the goal. The owner
// computes and formats every text; the card keeps only its date and its title image. A chart page
// turns the title icon into a calendar button and follows the date through onUpdateData.
// The sleep card is built from the same source (widgetpageresttoday.h).
class PAGESTEPSTODAY_EXPORT WidgetPageStepsToday : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageStepsToday(QWidget* parent = nullptr);
    ~WidgetPageStepsToday() override;

    bool setMsg(CoreHub* msg) override;
    // first to third: calories, active time, distance; value and target: the day's steps.
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
    Ui::WidgetPageStepsToday* ui;
};

#endif // WIDGETPAGESTEPSTODAY_H
