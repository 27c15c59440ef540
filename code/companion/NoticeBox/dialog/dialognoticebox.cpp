#include "dialognoticebox.h"

#include "resource.h"
#include "tapcaption.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {
const int kTitleHeight = 36;
const QPoint kNoDrag(-1, -1);
}

DialogNoticeBox::DialogNoticeBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setMinimumWidth(360);
    buildForm();
}

void DialogNoticeBox::buildForm()
{
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lb_title"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);

    m_close = new TapCaption(this);
    m_close->setObjectName(QStringLiteral("bt_close"));
    m_close->setFixedSize(24, 24);
    m_close->setCursor(Qt::PointingHandCursor);
    setButtonImages(m_close, 11);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lb_text"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("lb_hint"));
    m_hint->setWordWrap(true);
    m_hint->setAlignment(Qt::AlignCenter);
    QPalette hintPalette = m_hint->palette();
    hintPalette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    m_hint->setPalette(hintPalette);

    m_first = new TapCaption(this);
    m_first->setObjectName(QStringLiteral("bt_cancel"));
    m_second = new TapCaption(this);
    m_second->setObjectName(QStringLiteral("bt_ok"));
    for (TapCaption* button : { m_first, m_second }) {
        button->setFixedSize(96, 32);
        button->setCursor(Qt::PointingHandCursor);
        button->setCaptionColor(Qt::white);
        setButtonImages(button, 33);
    }

    QHBoxLayout* titleRow = new QHBoxLayout;
    titleRow->setContentsMargins(12, 6, 6, 6);
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_close);

    QHBoxLayout* buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(24);
    buttonRow->addStretch();
    buttonRow->addWidget(m_first);
    buttonRow->addWidget(m_second);
    buttonRow->addStretch();

    QVBoxLayout* body = new QVBoxLayout(this);
    body->setContentsMargins(1, 0, 1, 16);
    body->setSpacing(12);
    body->addLayout(titleRow);
    body->addSpacing(8);
    body->addWidget(m_text);
    body->addWidget(m_hint);
    body->addSpacing(8);
    body->addLayout(buttonRow);

    connect(m_close, &TapCaption::on_click, this, [this] { done(0); });
    connect(m_first, &TapCaption::on_click, this, [this] { done(0); });
    connect(m_second, &TapCaption::on_click, this, [this] { done(1); });
}

// The three state pictures of a button are consecutive resource ids, the one at rest first.
void DialogNoticeBox::setButtonImages(TapCaption* button, quint16 rest)
{
    button->setStateImages(Resource::getResPath(rest), Resource::getResPath(rest + 1),
                           Resource::getResPath(rest + 2));
}

void DialogNoticeBox::setText(const QString& title, const QString& text, const QString& hint,
                              const QString& firstButton, const QString& secondButton)
{
    m_title->setText(title);
    m_text->setText(text);
    m_hint->setText(hint);
    m_hint->setVisible(!hint.isEmpty());
    m_first->setCaption(firstButton);
    m_first->setVisible(!firstButton.isEmpty());
    m_second->setCaption(secondButton);
    m_second->setVisible(!secondButton.isEmpty());
    adjustSize();
}

void DialogNoticeBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(QRect(0, 0, width(), kTitleHeight), QColor(232, 240, 250));
    painter.setPen(QColor(150, 170, 200));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void DialogNoticeBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void DialogNoticeBox::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_dragOffset != kNoDrag)
        move(event->globalPos() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void DialogNoticeBox::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragOffset = kNoDrag;
    QDialog::mouseReleaseEvent(event);
}
