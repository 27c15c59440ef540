#ifndef NOTICEBOX_H
#define NOTICEBOX_H

#include "noticebox_export.h"

#include "dialognoticebox.h"

// The prompt as the pages create it.
class NOTICEBOX_EXPORT NoticeBox : public DialogNoticeBox
{
    Q_OBJECT
public:
    explicit NoticeBox(QWidget* parent = nullptr);
};

#endif // NOTICEBOX_H
