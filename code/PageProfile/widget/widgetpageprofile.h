#ifndef WIDGETPAGEPROFILE_H
#define WIDGETPAGEPROFILE_H

#include "attribute.h"
#include "cloudgate.h"
#include "fieldfigure.h"

#include <QString>
#include <QWidget>

class EntryField;

namespace Ui {
class WidgetPageProfile;
}

// Shows and edits the signed-in user's nickname, sex, age, height and weight. Filled from the
// hub's cached account on every activation; an accepted save goes back into that cache and is
// announced on the hub (onNsAccountUpdate), for every page that shows the account. Not
// exported: the library's own class PageProfile is its face.
class WidgetPageProfile : public QWidget, public Attribute
{
    Q_OBJECT
public:
    explicit WidgetPageProfile(QWidget* parent = nullptr);
    ~WidgetPageProfile() override;

    bool setMsg(CoreHub* msg) override;
    virtual bool getSync();
    virtual bool setSync();
    void setGender(const bool& male);

protected slots:
    void on_femaleChanged(const bool& state);
    void on_maleChanged(const bool& state);
    void on_DoneClock();
    void on_NsUserInfo(const CloudGate::ns_ret_code& returnCode, const QString& returnMsg);

private:
    // Height and weight as they go out: the account holds them as whole numbers only.
    struct body_figures {
        double height = 0;
        double weight = 0;
    };

    static void fillField(EntryField* field, const QString& value);
    bool readNumber(EntryField* field, const QString& complaint, quint16* value);
    bool readFigure(EntryField* field, const FieldFigure& kept, const QString& complaint, quint16* whole,
                    double* figure);
    bool readEntries(CloudGate::ns_account* account, body_figures* figures);

    CloudGate::ns_account m_account;
    FieldFigure m_height;  // as last filled in
    FieldFigure m_weight;
    Ui::WidgetPageProfile* ui;
};

#endif // WIDGETPAGEPROFILE_H
