#include "resource.h"

#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <iterator>

// The pictures and translations are compiled into this library; rcc's own static initializer
// registers them when the library loads, so every program that links it can open ":/" paths.

namespace {

struct Entry
{
    Resource::ID id;
    const char* path;
};

// Sorted by id. Three ids in a row for one button are its pictures at rest, under the pointer
// and pressed.
const Entry entries[] = {
    {0, ":/img/edit/img/edit/focus_none.png"},
    {2, ":/icon/icon/logo.ico"},
    {3, ":/img/PageTop/img/PageTop/top_bg.png"},
    {5, ":/img/register/img/register/register_bg.png"},
    {7, ":/img/login/img/login/login_bg.png"},
    {9, ":/img/PageMenu/img/PageMenu/head_mask.png"},
    {10, ":/img/PageAbout/img/PageAbout/menu_mask.png"},
    {11, ":/img/button/img/button/close_none.png"},
    {12, ":/img/button/img/button/close_hover.png"},
    {13, ":/img/button/img/button/close_press.png"},
    {14, ":/img/button/img/button/min_none.png"},
    {15, ":/img/button/img/button/min_hover.png"},
    {16, ":/img/button/img/button/min_press.png"},
    {17, ":/img/button/img/button/login_none.png"},
    {18, ":/img/button/img/button/login_hover.png"},
    {19, ":/img/button/img/button/login_press.png"},
    {20, ":/img/button/img/button/vc_none.png"},
    {21, ":/img/button/img/button/vc_hover.png"},
    {22, ":/img/button/img/button/vc_press.png"},
    {25, ":/img/edit/img/edit/edit_bg.png"},
    {26, ":/img/edit/img/edit/focus_on.png"},
    {27, ":/img/register/img/register/up_none.png"},
    {28, ":/img/register/img/register/up_hover.png"},
    {29, ":/img/register/img/register/up_press.png"},
    {30, ":/img/register/img/register/next_none.png"},
    {31, ":/img/register/img/register/next_hover.png"},
    {32, ":/img/register/img/register/next_press.png"},
    {33, ":/img/button/img/button/common_none.png"},
    {34, ":/img/button/img/button/common_hover.png"},
    {35, ":/img/button/img/button/common_press.png"},
    {36, ":/img/register/img/register/sex_unchecked.png"},
    {38, ":/img/register/img/register/sex_checked.png"},
    {39, ":/img/register/img/register/male_info.png"},
    {40, ":/img/PageTarget/img/PageTarget/gender_male.png"},
    {41, ":/img/register/img/register/female_info.png"},
    {42, ":/img/PageTarget/img/PageTarget/gender_female.png"},
    {43, ":/img/DevicePos/img/DevicePos/pos_neck.png"},
    {44, ":/img/DevicePos/img/DevicePos/pos_wrist.png"},
    {45, ":/img/DevicePos/img/DevicePos/pos_waist.png"},
    {46, ":/img/DevicePos/img/DevicePos/pos_ankle.png"},
    {47, ":/img/DevicePos/img/DevicePos/pos_selected.png"},
    {48, ":/img/DevicePos/img/DevicePos/done_none.png"},
    {49, ":/img/DevicePos/img/DevicePos/done_press.png"},
    {50, ":/img/PageMenu/img/PageMenu/menu_bg.png"},
    {51, ":/img/PageMenu/img/PageMenu/item_hover.png"},
    {52, ":/img/PageMenu/img/PageMenu/item_current.png"},
    {53, ":/img/PageMenu/img/PageMenu/nav_sun_none.png"},
    {54, ":/img/PageMenu/img/PageMenu/nav_sun_current.png"},
    {55, ":/img/PageMenu/img/PageMenu/nav_heart_none.png"},
    {56, ":/img/PageMenu/img/PageMenu/nav_heart_current.png"},
    {57, ":/img/PageMenu/img/PageMenu/nav_band_none.png"},
    {58, ":/img/PageMenu/img/PageMenu/nav_band_current.png"},
    {59, ":/img/PageMenu/img/PageMenu/nav_bars_none.png"},
    {60, ":/img/PageMenu/img/PageMenu/nav_bars_current.png"},
    {61, ":/img/PageMenu/img/PageMenu/nav_sync_none.png"},
    {62, ":/img/PageMenu/img/PageMenu/nav_sync_current.png"},
    {63, ":/img/PageMenu/img/PageMenu/nav_tasks_none.png"},
    {64, ":/img/PageMenu/img/PageMenu/nav_tasks_current.png"},
    {65, ":/img/PageToday/img/PageToday/title_steps.png"},
    {66, ":/img/PageWeek/img/PageWeek/sport_status.png"},
    {67, ":/img/PageDay/img/PageDay/row_steps.png"},
    {68, ":/img/PageDay/img/PageDay/row_kcal.png"},
    {69, ":/img/PageDay/img/PageDay/row_time.png"},
    {70, ":/img/PageDay/img/PageDay/row_dist.png"},
    {71, ":/img/PageToday/img/PageToday/title_sleep.png"},
    {72, ":/img/PageWeek/img/PageWeek/sleep_status.png"},
    {73, ":/img/PageDay/img/PageDay/row_sleep_len.png"},
    {74, ":/img/PageDay/img/PageDay/row_fall_asleep.png"},
    {75, ":/img/PageDay/img/PageDay/row_light.png"},
    {76, ":/img/PageDay/img/PageDay/row_deep.png"},
    {77, ":/img/PageHealth/img/PageHealth/bmi_bg.png"},
    {78, ":/img/PagePairing/img/PagePairing/row_band.png"},
    {79, ":/img/PagePairing/img/PagePairing/row_band_current.png"},
    {80, ":/img/PagePairing/img/PagePairing/busy_track.png"},
    {81, ":/img/PagePairing/img/PagePairing/busy_arc.png"},
    {82, ":/img/PageWeek/img/PageWeek/calendar_none.png"},
    {83, ":/img/PageWeek/img/PageWeek/calendar_hover.png"},
    {84, ":/img/PageWeek/img/PageWeek/calendar_press.png"},
    {85, ":/img/PageAbout/img/PageAbout/help_usage.png"},
    {86, ":/img/PageAbout/img/PageAbout/help_update.png"},
    {87, ":/img/PageAbout/img/PageAbout/help_about.png"},
    {88, ":/img/PageAbout/img/PageAbout/help_firmware.png"},
    {89, ":/img/PageAbout/img/PageAbout/help_driver.png"},
    {90, ":/translations/quorin_zh.qm"},
    {91, ":/translations/quorin_en.qm"},
};

} // namespace

QString Resource::getResPath(const ID& id)
{
    const auto found = std::lower_bound(std::begin(entries), std::end(entries), id,
                                        [](const Entry& entry, const ID& wanted) { return entry.id < wanted; });
    if (found == std::end(entries) || found->id != id)
        return QString();
    return QString::fromLatin1(found->path);
}

void Resource::updateBackground(QWidget* widget, const QString& path)
{
    updateBackground(widget, QPixmap(path));
}

void Resource::updateBackground(QWidget* widget, const QPixmap& pixmap)
{
    if (!widget || pixmap.isNull())
        return;
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(pixmap.scaled(widget->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    widget->setAutoFillBackground(true);
    widget->setPalette(palette);
}
