#ifndef WIDGETUPDATEEND_H
#define WIDGETUPDATEEND_H

#include "updatewizard_export.h"

#include <QString>
#include <QWidget>

namespace Ui {
class WidgetUpdateEnd;
}

// The last page of both update wizards: one line on how the update went. The wizard gives it
// its title and both result lines, so each wizard's texts stay with that wizard.
class UPDATEWIZARD_EXPORT WidgetUpdateEnd : public QWidget
{
    Q_OBJECT
public:
    explicit WidgetUpdateEnd(QWidget* parent = nullptr);
    ~WidgetUpdateEnd() override;

    void setTexts(const QString& title, const QString& success, const QString& failure);

public slots:
    // The last call wins.
    void setResult(const bool& ok);

signals:
    bool onClose();

private slots:
    void on_closeClick();
    void on_okClick();

private:
    void initData();

    QString m_success;
    QString m_failure;
    Ui::WidgetUpdateEnd* ui;
};

#endif // WIDGETUPDATEEND_H
