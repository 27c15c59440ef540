#ifndef PAGEDRIVERSETUP_H
#define PAGEDRIVERSETUP_H

#include "pagedriversetup_export.h"
#include "dialogdeviceinstall.h"

// The driver installer dialog as the main window opens it.
class PAGEDRIVERSETUP_EXPORT PageDriverSetup : public DialogDeviceInstall
{
    Q_OBJECT
public:
    explicit PageDriverSetup(QWidget* parent = nullptr);
    ~PageDriverSetup() override;
};

#endif // PAGEDRIVERSETUP_H
