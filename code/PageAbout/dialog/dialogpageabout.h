#ifndef DIALOGPAGEABOUT_H
#define DIALOGPAGEABOUT_H

#include "pageabout_export.h"

#include <QDialog>

class QTreeWidgetItem;

namespace Ui {
class DialogPageAbout;
}

// The help menu: a popup of five entries; exec() returns the code of the chosen entry, or 0
// when the popup closes without a choice.
class PAGEABOUT_EXPORT DialogPageAbout : public QDialog
{
    Q_OBJECT
public:
    explicit DialogPageAbout(QWidget* parent = nullptr);
    ~DialogPageAbout() override;

private slots:
    void on_treeWidget_itemClicked(QTreeWidgetItem* item, int column);

private:
    void addEntries();

    Ui::DialogPageAbout* ui;
};

#endif // DIALOGPAGEABOUT_H
