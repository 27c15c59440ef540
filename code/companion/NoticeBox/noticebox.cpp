#include "noticebox.h"

NoticeBox::NoticeBox(QWidget* parent)
    : DialogNoticeBox(parent)
{
}
