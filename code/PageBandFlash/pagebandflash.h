#ifndef PAGEBANDFLASH_H
#define PAGEBANDFLASH_H

#include "pagebandflash_export.h"
#include "dialogpagebandflash.h"

class PAGEBANDFLASH_EXPORT PageBandFlash : public DialogPageBandFlash
{
    Q_OBJECT
public:
    explicit PageBandFlash(QWidget* parent = nullptr);
};

#endif // PAGEBANDFLASH_H
