#ifndef DAYRING_H
#define DAYRING_H

#include <QWidget>

// The goal ring of the day figures: a grey track and, over it, the part of the goal reached.
// Its layout holds the texts drawn inside the ring.
class DayRing : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int percent READ percent)
public:
    explicit DayRing(QWidget* parent = nullptr);

    // 0 to 100; more is a full ring.
    void setPercent(const int& percent);
    int percent() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
};

#endif // DAYRING_H
