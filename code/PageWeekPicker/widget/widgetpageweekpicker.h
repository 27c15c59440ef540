#ifndef WIDGETPAGEWEEKPICKER_H
#define WIDGETPAGEWEEKPICKER_H

#include "pageweekpicker_export.h"

#include "resource.h"

#include <QDate>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QLabel;

namespace Ui {
class WidgetPageWeekPicker;
}

// The head of a week chart: a title with the calendar button and the week's range, a picture
// with a short text on it, four figure rows and a prompt. It holds no figures of its own: the
// owner fills it through the setters and loads the week the card announces.
class PAGEWEEKPICKER_EXPORT WidgetPageWeekPicker : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetPageWeekPicker(QWidget* parent = nullptr);
    ~WidgetPageWeekPicker() override;

    virtual void setTitle(const Resource::ID& icon, const QString& text);
    virtual void setImg(const Resource::ID& image, const QString& text);
    virtual void setPrompt(const QString& text);
    virtual void setIco(const Resource::ID& first, const Resource::ID& second, const Resource::ID& third,
                        const Resource::ID& fourth);
    virtual void setLabel(const QString& first, const QString& second, const QString& third, const QString& fourth);
    virtual void setValue(const QString& first, const QString& second, const QString& third, const QString& fourth);
    virtual void setIcoDate(const bool& on);

    void initData();
    QDate currentDate() const;

signals:
    void onUpdateData(const QDate& date);

public slots:
    void on_updateData(const QDate& date);

protected slots:
    void on_icoClick();

private:
    // A picture that does not load leaves its label without room.
    static void showPicture(QLabel* label, const QPixmap& picture);

    QPixmap m_title;
    QDate m_weekStart;
    Ui::WidgetPageWeekPicker* ui;
};

#endif // WIDGETPAGEWEEKPICKER_H
