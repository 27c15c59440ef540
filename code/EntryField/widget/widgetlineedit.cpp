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
    // The line edit lies on the field's picture, frameless and with no ground of its own: an
    // opaque box would cover the picture's margins around its rounded box.
    QPalette palette = ui->lineEdit->palette();
    palette.setBrush(QPalette::Base, Qt::transparent);
    ui->lineEdit->setPalette(palette);
    QFont font = ui->lineEdit->font();
    const qreal pointSize = 0.4 * ui->lineEdit->height();
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    ui->lineEdit->setFont(font);
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
    // The line edit shows through to the picture, so the hint is left out while it is shown.
    if (!m_bgText.isEmpty() && ui->lineEdit->isHidden()) {
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

// Pages also show the line edit themselves to put a remembered text in view; the hint follows.
bool WidgetLineEdit::eventFilter(QObject* watched, QEvent* event)
{
    const bool shownOrHidden = event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent;
    if (watched == ui->lineEdit && shownOrHidden)
        update();
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
