#include "dialogdatepicker.h"

#include "resource.h"
#include "tapcaption.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QHash>
#include <QLocale>
#include <QPainter>
#include <QVBoxLayout>

namespace {
// The common dialog button: at rest, under the pointer, pressed.
const Resource::ID kButtonRest = 33;

// Single letters serve while they tell the days apart, as in English where a letter stands for
// two days at most. A system locale may answer them with the short names' first character,
// which in Chinese is the same for all seven days; the short names are shown then.
QCalendarWidget::HorizontalHeaderFormat dayHeaderFormat(const QLocale& locale)
{
    QHash<QString, int> daysPerLetter;
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        if (++daysPerLetter[locale.standaloneDayName(day, QLocale::NarrowFormat).left(1)] > 2)
            return QCalendarWidget::ShortDayNames;
    }
    return QCalendarWidget::SingleLetterDayNames;
}
} // namespace

DialogDatePicker::DialogDatePicker(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    buildForm();
}

void DialogDatePicker::buildForm()
{
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setHorizontalHeaderFormat(dayHeaderFormat(m_calendar->locale()));
    m_calendar->setGridVisible(true);

    m_cancel = new TapCaption(this);
    m_cancel->setObjectName(QStringLiteral("bt_cancel"));
    m_cancel->setCaption(QObject::tr("取消"));
    m_ok = new TapCaption(this);
    m_ok->setObjectName(QStringLiteral("bt_ok"));
    m_ok->setCaption(QObject::tr("确定"));
    for (TapCaption* button : { m_cancel, m_ok }) {
        button->setFixedSize(96, 32);
        button->setCursor(Qt::PointingHandCursor);
        button->setCaptionColor(Qt::white);
        setButtonImages(button);
    }

    QHBoxLayout* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(24);
    buttonRow->addStretch();
    buttonRow->addWidget(m_cancel);
    buttonRow->addWidget(m_ok);
    buttonRow->addStretch();

    QVBoxLayout* body = new QVBoxLayout(this);
    body->setContentsMargins(8, 8, 8, 12);
    body->setSpacing(10);
    body->addWidget(m_calendar);
    body->addLayout(buttonRow);

    connect(m_ok, &TapCaption::on_click, this, &DialogDatePicker::on_okClick);
    connect(m_calendar, &QCalendarWidget::activated, this, &DialogDatePicker::on_okClick);
    connect(m_cancel, &TapCaption::on_click, this, &QDialog::reject);
}

void DialogDatePicker::setButtonImages(TapCaption* button)
{
    button->setStateImages(Resource::getResPath(kButtonRest), Resource::getResPath(kButtonRest + 1),
                           Resource::getResPath(kButtonRest + 2));
}

void DialogDatePicker::setDate(const QDate& date)
{
    if (!date.isValid())
        return;
    m_calendar->setSelectedDate(date);
    m_calendar->setCurrentPage(date.year(), date.month());
}

// One report per confirmation: a double click that lands after the OK click finds the dialog
// already closed. Closed before the report, so a slot that opens a dialog does not stack on it.
void DialogDatePicker::on_okClick()
{
    if (result() == QDialog::Accepted && !isVisible())
        return;
    const QDate date = m_calendar->selectedDate();
    accept();
    emit onDate(date);
}

// Frameless, so it draws its own edge.
void DialogDatePicker::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(27, 190, 218));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
