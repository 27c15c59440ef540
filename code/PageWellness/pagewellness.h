#ifndef PAGEWELLNESS_H
#define PAGEWELLNESS_H

#include "pagewellness_export.h"
#include "widget/widgethealthindex.h"

// The health-index tab: height, weight, the BMI and the targets below them.
class PAGEWELLNESS_EXPORT PageWellness : public WidgetHealthIndex
{
public:
    explicit PageWellness(QWidget* parent = nullptr);
};

#endif // PAGEWELLNESS_H
