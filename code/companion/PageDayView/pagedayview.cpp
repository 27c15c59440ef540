#include "pagedayview.h"

#include "dayring.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {
const QColor kCaptionInk(128, 136, 148);
const int kIconSize = 24;
const int kValuePointSize = 18;
const int kValueMinPointSize = 9;
const int kRingInset = 16;  // the ring's pen and a margin on each side
}

PageDayView::PageDayView(QWidget* parent)
    : QWidget(parent)
{
    buildForm();
}

QLabel* PageDayView::newLabel(const QString& name, const int& pointSize, const bool& bold)
{
    QLabel* label = new QLabel(this);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

void PageDayView::buildForm()
{
    QGridLayout* figures = new QGridLayout;
    figures->setHorizontalSpacing(10);
    figures->setVerticalSpacing(16);
    for (int i = 0; i < kFigures; ++i) {
        const QString number = QString::number(i + 1);
        m_icons[i] = newLabel(QStringLiteral("ico_") + number, 10, false);
        m_icons[i]->setFixedSize(kIconSize, kIconSize);
        m_icons[i]->setScaledContents(true);
        m_labels[i] = newLabel(QStringLiteral("label_") + number, 10, false);
        QPalette palette = m_labels[i]->palette();
        palette.setColor(QPalette::WindowText, kCaptionInk);
        m_labels[i]->setPalette(palette);
        m_values[i] = newLabel(QStringLiteral("value_") + number, 12, true);
        figures->addWidget(m_icons[i], i, 0);
        figures->addWidget(m_labels[i], i, 1);
        figures->addWidget(m_values[i], i, 2);
    }
    figures->setColumnStretch(2, 1);

    m_ring = new DayRing(this);
    m_ring->setObjectName(QStringLiteral("ring"));
    m_value = newLabel(QStringLiteral("label_value"), kValuePointSize, true);
    m_percent = newLabel(QStringLiteral("label_percent"), 10, false);
    QVBoxLayout* inside = new QVBoxLayout(m_ring);
    inside->addStretch();
    inside->addWidget(m_value, 0, Qt::AlignHCenter);
    inside->addWidget(m_percent, 0, Qt::AlignHCenter);
    inside->addStretch();

    m_goalCaption = newLabel(QStringLiteral("label_goal_caption"), 10, false);
    m_goal = newLabel(QStringLiteral("label_goal"), 10, true);
    QHBoxLayout* goalRow = new QHBoxLayout;
    goalRow->addStretch();
    goalRow->addWidget(m_goalCaption);
    goalRow->addWidget(m_goal);
    goalRow->addStretch();

    QVBoxLayout* goal = new QVBoxLayout;
    goal->addWidget(m_ring, 0, Qt::AlignHCenter);
    goal->addLayout(goalRow);

    QHBoxLayout* body = new QHBoxLayout(this);
    body->setContentsMargins(16, 8, 16, 8);
    body->setSpacing(24);
    body->addLayout(figures, 1);
    body->addLayout(goal);
}

void PageDayView::setIco(const Resource::ID& ico1, const Resource::ID& ico2, const Resource::ID& ico3)
{
    const Resource::ID ids[kFigures] = { ico1, ico2, ico3 };
    for (int i = 0; i < kFigures; ++i)
        m_icons[i]->setPixmap(QPixmap(Resource::getResPath(ids[i])));
}

void PageDayView::setLabel(const QString& label1, const QString& label2, const QString& label3)
{
    const QString texts[kFigures] = { label1, label2, label3 };
    for (int i = 0; i < kFigures; ++i)
        m_labels[i]->setText(texts[i]);
}

void PageDayView::setValue(const QString& value1, const QString& value2, const QString& value3)
{
    const QString texts[kFigures] = { value1, value2, value3 };
    for (int i = 0; i < kFigures; ++i)
        m_values[i]->setText(texts[i]);
}

void PageDayView::setProgress(const unsigned char& percent, const QString& value, const QString& goalCaption,
                              const QString& goal)
{
    m_ring->setPercent(percent);
    m_value->setText(value);
    fitValue();
    m_percent->setText(QString::number(percent) + QLatin1Char('%'));
    m_goalCaption->setText(goalCaption);
    m_goal->setText(goal);
}

// A long value (a sleep time reads "7小时37分钟") gets a smaller font rather than being cut by
// the ring.
void PageDayView::fitValue()
{
    const int room = m_ring->width() - 2 * kRingInset;
    QFont font = m_value->font();
    int pointSize = kValuePointSize;
    font.setPointSize(pointSize);
    while (pointSize > kValueMinPointSize && QFontMetrics(font).horizontalAdvance(m_value->text()) > room)
        font.setPointSize(--pointSize);
    m_value->setFont(font);
}
