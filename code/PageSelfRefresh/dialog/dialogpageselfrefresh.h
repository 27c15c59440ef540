#ifndef DIALOGPAGESELFREFRESH_H
#define DIALOGPAGESELFREFRESH_H

#include "pageselfrefresh_export.h"
#include "attribute.h"

#include <QDialog>
#include <QString>

class WizardFrame;

namespace Ui {
class DialogPageSelfRefresh;
}

// The program update wizard: check, confirm, download, unpack, result, one tab each, moved on
// by each page's result. A pending update (the backups of one already unpacked) opens it on the
// result page.
class PAGESELFREFRESH_EXPORT DialogPageSelfRefresh : public QDialog, public Attribute
{
    Q_OBJECT
public:
    explicit DialogPageSelfRefresh(QWidget* parent = nullptr);
    ~DialogPageSelfRefresh() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

public:
    // Hands the hub to the pages and starts the wizard.
    bool setMsg(CoreHub* msg) override;

signals:
    void onClose();

private slots:
    void on_Close();
    void on_CheckNext(QString appVersion, bool isGoUp, QString appUrl, QString appVerContent);
    void on_ConfirmNext(QString url);
    void on_DownloadNext(QString file, QString path);
    void on_uncompress(bool state);

private:
    Ui::DialogPageSelfRefresh* ui;
    // Frameless tabs, the pages' close requests and the window drag.
    WizardFrame* m_frame;
};

#endif // DIALOGPAGESELFREFRESH_H
