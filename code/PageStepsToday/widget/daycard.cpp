// The source of both day cards. QUORIN_DAY_CARD names the header that picks the card's class,
// form, icons and captions: "stepscard.h" in PageStepsToday, "restcard.h" in PageRestToday.
#include QUORIN_DAY_CARD

#include "datepicker.h"
#include "pagedayview.h"
#include "tapcaption.h"
#include "trace.h"

namespace {
const Resource::ID CALENDAR_REST = 82;
const Resource::ID CALENDAR_OVER = 83;
const Resource::ID CALENDAR_PRESSED = 84;
} // namespace

DAY_CARD::DAY_CARD(QWidget* parent)
    : QWidget(parent)
    , ui(new DayCard::Form)
{
    ui->setupUi(this);
    m_date = QDate::currentDate();
    ui->line->hide();
    PageDayView* figures = DayCard::figures(ui);
    figures->setIco(DayCard::FIGURE_ICONS[0], DayCard::FIGURE_ICONS[1], DayCard::FIGURE_ICONS[2]);
    const QStringList captions = DayCard::captions();
    figures->setLabel(captions.at(0), captions.at(1), captions.at(2));
    setIcoDate(false);
}

DAY_CARD::~DAY_CARD()
{
    delete ui;
}

bool DAY_CARD::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    if (DayCard::HUB_TO_FIGURES)
        DayCard::figures(ui)->setMsg(msg);
    return result;
}

void DAY_CARD::setValue(const QString& first, const QString& second, const QString& third, const unsigned char& percent,
                    const QString& value, const QString& target)
{
    PageDayView* figures = DayCard::figures(ui);
    figures->setValue(first, second, third);
    figures->setProgress(percent, value, DayCard::goalCaption(), target);
}

void DAY_CARD::setLineShow(const bool& show)
{
    ui->line->setVisible(show);
}

QDate DAY_CARD::currentDate() const
{
    return m_date;
}

// Unique, so a card switched on twice still opens one calendar per click.
void DAY_CARD::setIcoDate(const bool& on)
{
    if (on) {
        ui->ico->setCursor(Qt::PointingHandCursor);
        ui->ico->setStateImages(Resource::getResPath(CALENDAR_REST), Resource::getResPath(CALENDAR_OVER),
                                Resource::getResPath(CALENDAR_PRESSED));
        connect(ui->ico, SIGNAL(on_click()), this, SLOT(on_icoClick()), Qt::UniqueConnection);
        return;
    }
    ui->ico->setCursor(Qt::ArrowCursor);
    ui->ico->setMinimumSize(m_titleImage.size());
    ui->ico->setMaximumSize(m_titleImage.size());
    ui->ico->setPixmap(m_titleImage);
    disconnect(ui->ico, SIGNAL(on_click()), this, SLOT(on_icoClick()));
}

void DAY_CARD::setTitle(const Resource::ID& icon, const QString& text)
{
    m_titleImage = QPixmap(Resource::getResPath(icon));
    ui->ico->setMinimumSize(m_titleImage.size());
    ui->ico->setMaximumSize(m_titleImage.size());
    ui->ico->setPixmap(m_titleImage);
    ui->label_title->setText(text);
}

// Every date the calendar reports while it runs goes through on_updateData to the owner.
void DAY_CARD::on_icoClick()
{
    DatePicker picker(ui->ico);
    picker.setDate(m_date);
    picker.move(mapToGlobal(ui->ico->pos()));
    connect(&picker, SIGNAL(onDate(QDate)), this, SLOT(on_updateData(QDate)));
    picker.exec();
}

// The owner's slots run on the emission, before the title changes.
void DAY_CARD::on_updateData(const QDate& date)
{
    QLOG << "date=" << date;
    m_date = date;
    emit onUpdateData(date);
    const QString title = date == QDate::currentDate() ? QObject::tr("今天")
                                                       : QObject::tr("%1月%2日").arg(date.month()).arg(date.day());
    ui->label_title->setText(title);
}
