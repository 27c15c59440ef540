#include "fieldfigure.h"

#include "cloudgate_json.h"
#include "widgetlineedit.h"

FieldFigure::FieldFigure(const QString& text, const double& figure)
    : m_text(text)
    , m_figure(figure)
{
}

void FieldFigure::fill(WidgetLineEdit* field, const double& figure, const QString& unit)
{
    const QString text = QString("%1").arg(CloudJson::low16(figure));
    if (!field->lineEdit()->isVisible()) {
        field->lineEdit()->setText(text);
        *this = FieldFigure(text, figure);
    }
    field->setBgText(text + unit);
}

bool FieldFigure::heldBy(WidgetLineEdit* field) const
{
    return field->text() == m_text;
}

double FieldFigure::figure() const
{
    return m_figure;
}
