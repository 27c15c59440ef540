#include "pagebandflash.h"

PageBandFlash::PageBandFlash(QWidget* parent)
    : DialogPageBandFlash(parent)
{
}
