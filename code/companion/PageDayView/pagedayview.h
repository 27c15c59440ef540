#ifndef PAGEDAYVIEW_H
#define PAGEDAYVIEW_H

#include "pagedayview_export.h"

#include "attribute.h"
#include "resource.h"

#include <QString>
#include <QWidget>

class DayRing;
class QLabel;

// The figures of one day under a date card: three small figures (icon, caption, text) beside
// the goal ring with the day's main value, its percentage of the goal and the goal. The owner
// formats every text. Labels are named: ico_1..3, label_1..3, value_1..3, label_value,
// label_percent, label_goal_caption, label_goal; the ring is "ring".
class PAGEDAYVIEW_EXPORT PageDayView : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit PageDayView(QWidget* parent = nullptr);

    virtual void setIco(const Resource::ID& ico1, const Resource::ID& ico2, const Resource::ID& ico3);
    virtual void setLabel(const QString& label1, const QString& label2, const QString& label3);
    virtual void setValue(const QString& value1, const QString& value2, const QString& value3);
    virtual void setProgress(const unsigned char& percent, const QString& value, const QString& goalCaption,
                             const QString& goal);

private:
    static const int kFigures = 3;

    void buildForm();
    void fitValue();
    QLabel* newLabel(const QString& name, const int& pointSize, const bool& bold);

    QLabel* m_icons[kFigures] = {};
    QLabel* m_labels[kFigures] = {};
    QLabel* m_values[kFigures] = {};
    DayRing* m_ring = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_percent = nullptr;
    QLabel* m_goalCaption = nullptr;
    QLabel* m_goal = nullptr;
};

#endif // PAGEDAYVIEW_H
