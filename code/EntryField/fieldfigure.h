#ifndef FIELDFIGURE_H
#define FIELDFIGURE_H

#include "entryfield_export.h"

#include <QString>

class WidgetLineEdit;

// A figure a page shows in a field as its whole number, kept exactly beside the text it was
// shown as: a save that finds that text still in the field sends the figure itself, so a
// fraction the user never touched is not cut off.
class ENTRYFIELD_EXPORT FieldFigure
{
public:
    FieldFigure() = default;
    FieldFigure(const QString& text, const double& figure);

    // The whole number becomes the field's hint, with the unit, and, unless the user has the
    // field open, its text: only then is the figure kept for it.
    void fill(WidgetLineEdit* field, const double& figure, const QString& unit = QString());
    // True while the field holds the text the figure was kept for.
    bool heldBy(WidgetLineEdit* field) const;
    double figure() const;

private:
    QString m_text;
    double m_figure = 0;
};

#endif // FIELDFIGURE_H
