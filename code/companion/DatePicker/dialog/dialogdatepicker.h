#ifndef DIALOGDATEPICKER_H
#define DIALOGDATEPICKER_H

#include "datepicker_export.h"

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class TapCaption;

// A frameless modal calendar that drops down where its owner places it. It reports a date only
// when the user confirms one (the OK button, a double click or Enter on a day): the chart pages
// load a day on every report, so browsing through the calendar must not start loads.
// Cancel, Escape or closing report nothing.
class DATEPICKER_EXPORT DialogDatePicker : public QDialog
{
    Q_OBJECT
public:
    explicit DialogDatePicker(QWidget* parent = nullptr);

    // The date shown and selected first; an invalid date leaves today.
    void setDate(const QDate& date);

signals:
    void onDate(QDate date);

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void on_okClick();

private:
    static void setButtonImages(TapCaption* button);
    void buildForm();

    QCalendarWidget* m_calendar = nullptr;
    TapCaption* m_ok = nullptr;
    TapCaption* m_cancel = nullptr;
};

#endif // DIALOGDATEPICKER_H
