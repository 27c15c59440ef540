#include "pagetrends.h"

#include "pagerestdaychart.h"
#include "pagestepsdaychart.h"
#include "pagerestweekchart.h"
#include "pagestepsweekchart.h"
#include "togglecaption.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const int kSlots = 4;
const QSize kChoiceSize(96, 28);
const int FLAG_DAY = 0;
const int FLAG_WEEK = 1;
const int FLAG_STEPS = 0;
const int FLAG_SLEEP = 1;

// A rounded frame drawn behind the choice's text; an empty fill draws only the border.
QPixmap frame(const QColor& fill, const QColor& border)
{
    QPixmap pixmap(kChoiceSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(pixmap.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    return pixmap;
}

} // namespace

PageTrends::PageTrends(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* selector = new QHBoxLayout;
    selector->setContentsMargins(12, 8, 12, 8);
    selector->setSpacing(4);
    m_day = addChoice(selector, QStringLiteral("choice_day"), tr("日"), FLAG_DAY);
    m_week = addChoice(selector, QStringLiteral("choice_week"), tr("周"), FLAG_WEEK);
    selector->addSpacing(24);
    m_steps = addChoice(selector, QStringLiteral("choice_steps"), tr("运动"), FLAG_STEPS);
    m_sleep = addChoice(selector, QStringLiteral("choice_sleep"), tr("睡眠"), FLAG_SLEEP);
    selector->addStretch(1);
    layout->addLayout(selector);
    for (ToggleCaption* choice : {m_day, m_week})
        connect(choice, &ToggleCaption::onClick, this, &PageTrends::on_PeriodClick);
    for (ToggleCaption* choice : {m_steps, m_sleep})
        connect(choice, &ToggleCaption::onClick, this, &PageTrends::on_KindClick);

    m_stack = new QStackedWidget(this);
    for (int i = 0; i < kSlots; ++i) {
        auto* holder = new QWidget(m_stack);
        auto* holderLayout = new QVBoxLayout(holder);
        holderLayout->setContentsMargins(0, 0, 0, 0);
        m_stack->addWidget(holder);
    }
    layout->addWidget(m_stack, 1);

    addPage(SLOT_STEPS_DAY, new PageStepsDayChart(this));
    addPage(SLOT_SLEEP_DAY, new PageRestDayChart(this));
    addPage(SLOT_STEPS_WEEK, new PageStepsWeekChart(this));
    addPage(SLOT_SLEEP_WEEK, new PageRestWeekChart(this));

    m_day->setState(true);
    m_steps->setState(true);
    showSlot();
}

bool PageTrends::setMsg(CoreHub* msg)
{
    const bool result = Attribute::setMsg(msg);
    for (Attribute* page : m_pages)
        page->setMsg(msg);
    return result;
}

PageTrends::CHART_SLOT PageTrends::currentSlot() const
{
    return static_cast<CHART_SLOT>(m_stack->currentIndex());
}

QWidget* PageTrends::slotPage(const CHART_SLOT& slot) const
{
    const QLayout* holder = m_stack->widget(slot)->layout();
    return holder->count() ? holder->itemAt(0)->widget() : nullptr;
}

void PageTrends::addPage(const CHART_SLOT& slot, QWidget* page)
{
    m_stack->widget(slot)->layout()->addWidget(page);
    if (auto* attribute = dynamic_cast<Attribute*>(page))
        m_pages.append(attribute);
}

ToggleCaption* PageTrends::addChoice(QLayout* layout, const QString& name, const QString& text, const int& flag)
{
    auto* choice = new ToggleCaption(this);
    choice->setObjectName(name);
    choice->setText(text);
    choice->setFlag(flag);
    choice->setFixedSize(kChoiceSize);
    choice->setDisabledSelect(ToggleCaption::STATE_SELECTED);
    choice->setStatePixmap(QPixmap(), frame(Qt::transparent, QColor(0xc8, 0xc8, 0xc8)),
                           frame(QColor(0xee, 0xf4, 0xfb), QColor(0x5b, 0x9b, 0xd5)),
                           frame(QColor(0xd6, 0xe8, 0xfa), QColor(0x2f, 0x7c, 0xd0)));
    layout->addWidget(choice);
    return choice;
}

// A click on a selected choice is disabled, so every click here selects its choice.
void PageTrends::on_PeriodClick(bool selected, qint32 flag)
{
    Q_UNUSED(selected)
    m_day->setState(flag == FLAG_DAY);
    m_week->setState(flag == FLAG_WEEK);
    showSlot();
}

void PageTrends::on_KindClick(bool selected, qint32 flag)
{
    Q_UNUSED(selected)
    m_steps->setState(flag == FLAG_STEPS);
    m_sleep->setState(flag == FLAG_SLEEP);
    showSlot();
}

void PageTrends::showSlot()
{
    const int index = (m_week->isSelected() ? SLOT_STEPS_WEEK : SLOT_STEPS_DAY) + (m_sleep->isSelected() ? 1 : 0);
    m_stack->setCurrentIndex(index);
}
