#include "widgettop.h"
#include "ui_widgettop.h"

#include "resource.h"
#include "trace.h"

#include <QPalette>
#include <QPixmap>

namespace {
const QSize backgroundSize(800, 46);
}

WidgetTop::WidgetTop(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::WidgetTop)
{
    ui->setupUi(this);
    paintBackground();
    ui->bt_close->setStateImages(Resource::getResPath(11), Resource::getResPath(12), Resource::getResPath(13));
    ui->bt_min->setStateImages(Resource::getResPath(14), Resource::getResPath(15), Resource::getResPath(16));
    connect(ui->bt_help, SIGNAL(on_click()), this, SLOT(on_bt_help_click()));
    connect(ui->bt_min, SIGNAL(on_click()), this, SLOT(on_bt_min_click()));
    connect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_bt_close_click()));
}

WidgetTop::~WidgetTop()
{
    disconnect(ui->bt_help, SIGNAL(on_click()), this, SLOT(on_bt_help_click()));
    disconnect(ui->bt_min, SIGNAL(on_click()), this, SLOT(on_bt_min_click()));
    disconnect(ui->bt_close, SIGNAL(on_click()), this, SLOT(on_bt_close_click()));
    delete ui;
}

bool WidgetTop::setMsg(CoreHub* msg)
{
    return Attribute::setMsg(msg);
}

// The picture is stretched to a fixed size whatever its own shape, so every picture fits the bar.
void WidgetTop::paintBackground()
{
    const QPixmap picture(Resource::getResPath(3));
    if (picture.isNull())
        return;
    setAutoFillBackground(true);
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::Window,
                     QBrush(picture.scaled(backgroundSize, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    setPalette(palette);
}

void WidgetTop::on_bt_min_click()
{
    QLOG << "min.";
    emit onTopState(STATE_MIN);
}

void WidgetTop::on_bt_close_click()
{
    QLOG << "close.";
    emit onTopState(STATE_CLOSE);
}

void WidgetTop::on_bt_help_click()
{
    QLOG << "help.";
    emit onTopState(STATE_HELP);
}
