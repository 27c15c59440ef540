#include "widgetpagestepstoday.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
const int FIGURES = 3;
}

WidgetPageStepsToday::WidgetPageStepsToday(QWidget* parent)
    : WidgetPageStepsToday(parent, {QObject::tr("卡路里"), QObject::tr("时间"), QObject::tr("距离")},
                           QObject::tr("目标步数:"))
{
    setObjectName(QStringLiteral("WidgetPageStepsToday"));
}

WidgetPageStepsToday::WidgetPageStepsToday(QWidget* parent, const QStringList& captions,
                                           const QString& goalCaption)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto* titleRow = new QHBoxLayout();
    m_ico = addLabel(QStringLiteral("ico"));
    m_title = addLabel(QStringLiteral("label_title"));
    titleRow->addWidget(m_ico);
    titleRow->addWidget(m_title);
    titleRow->addStretch();
    column->addLayout(titleRow);

    auto* figures = new QGridLayout();
    for (int i = 0; i < FIGURES; ++i) {
        figures->addWidget(new QLabel(captions.value(i), this), 0, i, Qt::AlignCenter);
        m_figures[i] = addLabel(QStringLiteral("label_figure%1").arg(i + 1));
        figures->addWidget(m_figures[i], 1, i, Qt::AlignCenter);
    }
    column->addLayout(figures);

    auto* goalRow = new QHBoxLayout();
    m_value = addLabel(QStringLiteral("label_value"));
    m_target = addLabel(QStringLiteral("label_target"));
    m_percent = new QProgressBar(this);
    m_percent->setObjectName(QStringLiteral("progress"));
    m_percent->setRange(0, 100);
    m_percent->setValue(0);
    goalRow->addWidget(m_value);
    goalRow->addWidget(new QLabel(goalCaption, this));
    goalRow->addWidget(m_target);
    goalRow->addWidget(m_percent, 1);
    column->addLayout(goalRow);
}

QLabel* WidgetPageStepsToday::addLabel(const QString& name)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    return label;
}

bool WidgetPageStepsToday::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

void WidgetPageStepsToday::setTitle(const Resource::ID& icon, const QString& text)
{
    const QPixmap picture(Resource::getResPath(icon));
    m_ico->setFixedSize(picture.size());
    m_ico->setPixmap(picture);
    m_title->setText(text);
}

void WidgetPageStepsToday::setValue(const QString& first, const QString& second, const QString& third,
                                    const unsigned char& percent, const QString& value, const QString& target)
{
    m_figures[0]->setText(first);
    m_figures[1]->setText(second);
    m_figures[2]->setText(third);
    m_percent->setValue(percent);
    m_value->setText(value);
    m_target->setText(target);
}
