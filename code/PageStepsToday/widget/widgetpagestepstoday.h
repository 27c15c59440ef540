#ifndef WIDGETPAGESTEPSTODAY_H
#define WIDGETPAGESTEPSTODAY_H

#include "attribute.h"
#include "pagestepstoday_export.h"
#include "resource.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QProgressBar;

// One day's steps: a title row, the three figures, the day's value against its target and the
// share of the target reached. The owner computes and formats every text; the card only shows.
// The sleep card is the same card with its own captions.
class PAGESTEPSTODAY_EXPORT WidgetPageStepsToday : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageStepsToday(QWidget* parent = nullptr);

    bool setMsg(CoreHub* msg) override;
    void setTitle(const Resource::ID& icon, const QString& text);
    // first to third: calories, active time, distance.
    void setValue(const QString& first, const QString& second, const QString& third, const unsigned char& percent,
                  const QString& value, const QString& target);

protected:
    WidgetPageStepsToday(QWidget* parent, const QStringList& captions, const QString& goalCaption);

private:
    QLabel* addLabel(const QString& name);

    QLabel* m_ico = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_figures[3] = {};
    QLabel* m_value = nullptr;
    QLabel* m_target = nullptr;
    QProgressBar* m_percent = nullptr;
};

#endif // WIDGETPAGESTEPSTODAY_H
