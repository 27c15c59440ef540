#include "widgetlineedit.h"
#include "ui_widgetlineedit.h"

#include "glowentry.h"
#include "resource.h"
#include "trace.h"

#include <QPainter>
#include <QPalette>
#include <QRegExpValidator>
#include <QResizeEvent>

namespace {

const Resource::ID kBackgroundId = 25;
const Resource::ID kFocusMarkId = 26;
const QColor kHintColor(179, 179, 179, 255);
const QColor kPlainFrame(190, 196, 204);
const QColor kPlainMark(74, 144, 226);
// The background picture is 300 x 60; its rounded box is plain white, clear of the border and the
// corners' curves, in rows 8 to 51 and the columns left of 294. The picture is stretched over the
// field, and the box with it.
const QSize kPictureSize(300, 60);
const int kInsideTop = 8;
const int kInsideEnd = 52;
const int kInsideRightEnd = 294;

// Indexed by REG_EXP_TYPE; plain regular expressions, so they only constrain typing.
const char* const kPatterns[] = {
    ".+",
    "[0-9]+$",
    "[0-9|+][0-9][0-9]([0-9]{11})",
};

} // namespace

WidgetLineEdit::WidgetLineEdit(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetLineEdit)
{
    ui->setupUi(this);
    initData();
}

WidgetLineEdit::~WidgetLineEdit()
{
    // The line edit outlives this part of the object and may still report a focus loss.
    disconnect(ui->lineEdit, &GlowEntry::onFocus, this, &WidgetLineEdit::on_EditFocus);
    ui->lineEdit->removeEventFilter(this);
    delete ui;
}

void WidgetLineEdit::initData()
{
    m_focusId = 0;
    m_rangeOn = false;
    m_min = 0;
    m_max = 0;
    update();
    connect(ui->lineEdit, &GlowEntry::onFocus, this, &WidgetLineEdit::on_EditFocus);
    ui->lineEdit->hide();
    ui->lineEdit->installEventFilter(this);
    QFont font = ui->lineEdit->font();
    const qreal pointSize = 0.4 * ui->lineEdit->height();
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    ui->lineEdit->setFont(font);
}

// The inside of the picture's rounded box on a field of the given size.
QRect WidgetLineEdit::boxInside(const QSize& size)
{
    const int top = (size.height() * kInsideTop + kPictureSize.height() - 1) / kPictureSize.height();
    const int end = size.height() * kInsideEnd / kPictureSize.height();
    const int rightEnd = size.width() * kInsideRightEnd / kPictureSize.width();
    return QRect(0, top, rightEnd, end - top);
}

void WidgetLineEdit::setRegExp(const QRegExp& expression)
{
    ui->lineEdit->setValidator(new QRegExpValidator(expression, ui->lineEdit));
}

void WidgetLineEdit::setRegExp(const WidgetLineEdit::REG_EXP_TYPE& type)
{
    if (type < REG_ANY || type >= REG_NONE)
        return;
    setRegExp(QRegExp(QString::fromLatin1(kPatterns[type]), Qt::CaseSensitive, QRegExp::RegExp));
}

bool WidgetLineEdit::setIntRange(const int& min, const int& max)
{
    if (max < min) {
        m_rangeOn = false;
        return false;
    }
    m_min = min;
    m_max = max;
    m_rangeOn = true;
    return true;
}

GlowEntry* WidgetLineEdit::lineEdit() const
{
    return ui->lineEdit;
}

QString WidgetLineEdit::text()
{
    on_checkValue();
    return ui->lineEdit->text();
}

void WidgetLineEdit::setBgText(const QString& text)
{
    m_bgText = text;
    update();
}

void WidgetLineEdit::update()
{
    updateBackground(background());
    ui->ico_focus->setPixmap(focusMark());
}

// Without its picture the field is a plain framed box, so the hint still has a ground.
QPixmap WidgetLineEdit::background() const
{
    if (size().isEmpty())
        return QPixmap();
    const QPixmap picture(Resource::getResPath(kBackgroundId));
    if (!picture.isNull())
        return picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPixmap plain(size());
    plain.fill(Qt::white);
    QPainter painter(&plain);
    painter.setPen(kPlainFrame);
    painter.drawRect(plain.rect().adjusted(0, 0, -1, -1));
    return plain;
}

QPixmap WidgetLineEdit::focusMark() const
{
    const QSize markSize = ui->ico_focus->size();
    if (markSize.isEmpty())
        return QPixmap();
    const QPixmap picture(Resource::getResPath(m_focusId));
    if (!picture.isNull())
        return picture.scaled(markSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (m_focusId != kFocusMarkId)
        return QPixmap();
    QPixmap plain(markSize);
    plain.fill(kPlainMark);
    return plain;
}

void WidgetLineEdit::updateBackground(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return;
    QPixmap copy = pixmap;
    if (!m_bgText.isEmpty()) {
        QPainter painter(&copy);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(font());
        painter.setPen(kHintColor);
        painter.drawText(QRect(ui->ico_focus->width(), 0, width(), height()),
                         Qt::AlignLeft | Qt::AlignVCenter, m_bgText);
    }
    setAutoFillBackground(true);
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(copy));
    setPalette(palette);
}

void WidgetLineEdit::on_EditFocus(const bool& focus)
{
    const QString text = ui->lineEdit->text();
    if (focus) {
        ui->lineEdit->show();
        ui->lineEdit->setFocus(Qt::OtherFocusReason);
        m_focusId = kFocusMarkId;
        update();
        return;
    }
    // The focus only moved between the field and its own line edit.
    if (hasFocus() || ui->lineEdit->hasFocus()) {
        update();
        return;
    }
    on_checkValue();
    // A password field's text never reaches the log.
    const bool plain = ui->lineEdit->echoMode() == QLineEdit::Normal;
    QLOG << "text=" << (plain ? text : QStringLiteral("<%1 hidden characters>").arg(text.size()))
         << "bgText=" << m_bgText;
    if (text.isEmpty())
        ui->lineEdit->hide();
    m_focusId = 0;
    update();
}

void WidgetLineEdit::on_lineEdit_textChanged(const QString& text)
{
    Q_UNUSED(text)
}

void WidgetLineEdit::on_lineEdit_textEdited(const QString& text)
{
    Q_UNUSED(text)
}

// Only typed text is clamped: an empty field is a value nobody gave, not the minimum.
void WidgetLineEdit::on_checkValue()
{
    if (!m_rangeOn)
        return;
    const QString current = ui->lineEdit->text();
    if (current.isEmpty())
        return;
    const int value = qMin(qMax(current.toInt(nullptr, 10), m_min), m_max);
    ui->lineEdit->setText(QString("%1").arg(value));
}

// The frameless line edit is as tall as the field but shows only inside the picture's box: its
// ground covers the hint there, and never the rounded border, the corners or the margins.
bool WidgetLineEdit::eventFilter(QObject* watched, QEvent* event)
{
    const bool placed = event->type() == QEvent::Resize || event->type() == QEvent::Move;
    if (watched == ui->lineEdit && placed)
        ui->lineEdit->setMask(boxInside(size()).translated(-ui->lineEdit->pos()) & ui->lineEdit->rect());
    return QWidget::eventFilter(watched, event);
}

void WidgetLineEdit::focusInEvent(QFocusEvent* event)
{
    Q_UNUSED(event)
    on_EditFocus(true);
}

void WidgetLineEdit::focusOutEvent(QFocusEvent* event)
{
    Q_UNUSED(event)
    on_EditFocus(false);
}

void WidgetLineEdit::resizeEvent(QResizeEvent* event)
{
    if (!event)
        return;
    ui->lineEdit->setMinimumHeight(event->size().height());
    update();
    QWidget::resizeEvent(event);
}

void WidgetLineEdit::moveEvent(QMoveEvent* event)
{
    Q_UNUSED(event)
}
