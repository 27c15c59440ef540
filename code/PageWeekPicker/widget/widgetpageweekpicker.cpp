#include "widgetpageweekpicker.h"
#include "ui_widgetpageweekpicker.h"

#include "datepicker.h"
#include "trace.h"

#include <QPainter>

namespace {

const Resource::ID kCalendarRest = 82;
const QColor kImageTextColor(28, 194, 218);
const QColor kPromptColor(150, 152, 151);

QPixmap loadPicture(const Resource::ID& id)
{
    return QPixmap(Resource::getResPath(id));
}

} // namespace

WidgetPageWeekPicker::WidgetPageWeekPicker(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetPageWeekPicker)
{
    ui->setupUi(this);
    initData();
}

WidgetPageWeekPicker::~WidgetPageWeekPicker()
{
    delete ui;
}

void WidgetPageWeekPicker::initData()
{
    m_weekStart = QDate::currentDate().addDays(-6);
    QPalette prompt = palette();
    prompt.setBrush(QPalette::All, QPalette::WindowText, QBrush(kPromptColor));
    ui->label_prompt->setPalette(prompt);
    // The week's tips are the cloud's text: markup in them is shown as written, never rendered or loaded.
    ui->label_prompt->setTextFormat(Qt::PlainText);
    setIcoDate(false);
}

QDate WidgetPageWeekPicker::currentDate() const
{
    return m_weekStart;
}

void WidgetPageWeekPicker::showPicture(QLabel* label, const QPixmap& picture)
{
    label->setMinimumSize(picture.size());
    label->setMaximumSize(picture.size());
    label->setPixmap(picture);
}

void WidgetPageWeekPicker::setTitle(const Resource::ID& icon, const QString& text)
{
    m_title = loadPicture(icon);
    showPicture(ui->ico, m_title);
    ui->label_title->setText(text);
}

// Starts from the file on every call, so the texts of earlier calls do not pile up.
void WidgetPageWeekPicker::setImg(const Resource::ID& image, const QString& text)
{
    QPixmap picture = loadPicture(image);
    if (!text.isEmpty() && !picture.isNull()) {
        QPainter painter(&picture);
        painter.setPen(kImageTextColor);
        const int half = picture.height() / 2;
        painter.drawText(QRect(0, half, picture.width(), half), Qt::AlignCenter, text);
        painter.end();
    }
    showPicture(ui->img, picture);
}

void WidgetPageWeekPicker::setPrompt(const QString& text)
{
    ui->label_prompt->setText(text);
}

void WidgetPageWeekPicker::setIco(const Resource::ID& first, const Resource::ID& second, const Resource::ID& third,
                                  const Resource::ID& fourth)
{
    showPicture(ui->ico_1, loadPicture(first));
    showPicture(ui->ico_2, loadPicture(second));
    showPicture(ui->ico_3, loadPicture(third));
    showPicture(ui->ico_4, loadPicture(fourth));
}

void WidgetPageWeekPicker::setLabel(const QString& first, const QString& second, const QString& third,
                                    const QString& fourth)
{
    ui->label_1->setText(first);
    ui->label_2->setText(second);
    ui->label_3->setText(third);
    ui->label_4->setText(fourth);
}

void WidgetPageWeekPicker::setValue(const QString& first, const QString& second, const QString& third,
                                    const QString& fourth)
{
    ui->text_1->setText(first);
    ui->text_2->setText(second);
    ui->text_3->setText(third);
    ui->text_4->setText(fourth);
}

void WidgetPageWeekPicker::setIcoDate(const bool& on)
{
    if (!on) {
        ui->ico->setCursor(Qt::ArrowCursor);
        ui->ico->setMinimumSize(m_title.size());
        ui->ico->setMaximumSize(m_title.size());
        ui->ico->setPixmap(m_title);
        disconnect(ui->ico, SIGNAL(on_click()), this, SLOT(on_icoClick()));
        return;
    }
    m_title = loadPicture(kCalendarRest);
    ui->ico->setCursor(Qt::PointingHandCursor);
    ui->ico->setStateImages(Resource::getResPath(kCalendarRest), Resource::getResPath(kCalendarRest + 1),
                            Resource::getResPath(kCalendarRest + 2));
    ui->ico->setMinimumSize(m_title.size());
    ui->ico->setMaximumSize(m_title.size());
    // Unique: a second call must not open the calendar twice per click.
    connect(ui->ico, SIGNAL(on_click()), this, SLOT(on_icoClick()), Qt::UniqueConnection);
}

// The picked day becomes the first day of the week shown.
void WidgetPageWeekPicker::on_icoClick()
{
    DatePicker picker(ui->ico);
    picker.setDate(m_weekStart);
    picker.move(mapToGlobal(ui->ico->pos()));
    connect(&picker, SIGNAL(onDate(QDate)), this, SLOT(on_updateData(QDate)));
    picker.exec();
}

// Announced before the title changes, on every call: the owner loads the week in its slot.
void WidgetPageWeekPicker::on_updateData(const QDate& date)
{
    QLOG << "date=" << date;
    m_weekStart = date;
    const QDate last = date.addDays(6);
    emit onUpdateData(date);
    ui->label_title->setText(
        QObject::tr("%1月%2日-%3月%4日").arg(date.month()).arg(date.day()).arg(last.month()).arg(last.day()));
}
