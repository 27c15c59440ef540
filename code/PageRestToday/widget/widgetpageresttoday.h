#ifndef WIDGETPAGERESTTODAY_H
#define WIDGETPAGERESTTODAY_H

#include "attribute.h"
#include "pageresttoday_export.h"
#include "resource.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// One night's sleep: a title row, the three figures, the night's total against its target and the
// share of the target reached. The owner computes and formats every text; the card only shows.
class PAGERESTTODAY_EXPORT WidgetPageRestToday : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageRestToday(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;
    void setTitle(const Resource::ID& icon, const QString& text);
    // first to third: fell asleep, light sleep, deep sleep.
    void setValue(const QString& first, const QString& second, const QString& third, const unsigned char& percent,
                  const QString& value, const QString& target);

private:
    QLabel* addLabel(const QString& name);

    QLabel* m_ico = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_figures[3] = {};
    QLabel* m_value = nullptr;
    QLabel* m_target = nullptr;
    QProgressBar* m_percent = nullptr;
};

#endif // WIDGETPAGERESTTODAY_H
