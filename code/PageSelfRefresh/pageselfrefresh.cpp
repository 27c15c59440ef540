#include "pageselfrefresh.h"

PageSelfRefresh::PageSelfRefresh(QWidget* parent)
    : DialogPageSelfRefresh(parent)
{
}
