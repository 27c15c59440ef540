#ifndef PAGESELFREFRESH_H
#define PAGESELFREFRESH_H

#include "pageselfrefresh_export.h"
#include "dialogpageselfrefresh.h"

class PAGESELFREFRESH_EXPORT PageSelfRefresh : public DialogPageSelfRefresh
{
    Q_OBJECT
public:
    explicit PageSelfRefresh(QWidget* parent = nullptr);
};

#endif // PAGESELFREFRESH_H
