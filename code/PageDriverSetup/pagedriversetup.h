#ifndef PAGEDRIVERSETUP_H
#define PAGEDRIVERSETUP_H

#include "pagedriversetup_export.h"
#include "dialogdeviceinstall.h"

class PAGEDRIVERSETUP_EXPORT PageDriverSetup : public DialogDeviceInstall
{
    Q_OBJECT
public:
    explicit PageDriverSetup(QWidget* parent = nullptr);
};

#endif // PAGEDRIVERSETUP_H
