#ifndef WIDGETHEALTHINDEX_H
#define WIDGETHEALTHINDEX_H

#include "attribute.h"
#include "cloudgate.h"
#include "fieldfigure.h"
#include "pagewellness_export.h"

#include <QString>
#include <QWidget>

class EntryField;

namespace Ui {
class WidgetHealthIndex;
}

// Height, weight and the BMI above the embedded targets page. One button saves all: both
// targets first, and the height and weight only once both targets were accepted.
class PAGEWELLNESS_EXPORT WidgetHealthIndex : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetHealthIndex(QWidget* parent = nullptr);
    ~WidgetHealthIndex() override;

    bool setMsg(CoreHub* msg) override;

protected slots:
    void on_NsAccountUpdate();
    void on_SetSync(bool state, QString prompt);
    void on_GetSync(bool state, QString prompt);
    void on_heightChanged(QString text);
    void on_weightChanged(QString text);
    void on_doneClick();
    void on_NsSetHealthNum(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

private:
    static FieldFigure readFigure(EntryField* field, const FieldFigure& kept);
    void initData();
    void enableOperate(const bool& enable);
    void watchTyping(const bool& watch);
    void showBmi(const double& bmi);
    QString bodyComplaint() const;
    void targetsAnswered();
    void sendHealthNumbers();
    void keepSavedFigures(CoreHub& hub);

    Ui::WidgetHealthIndex* ui;
    int m_targetsAnswered = 0;      // of the save under way
    bool m_targetsSending = false;  // an answer now is the save's only one
    QString m_refusal;              // its first refused target
    FieldFigure m_height;           // as last filled in from the cloud or saved
    FieldFigure m_weight;
    FieldFigure m_sentHeight;       // of the save under way
    FieldFigure m_sentWeight;
};

#endif // WIDGETHEALTHINDEX_H
