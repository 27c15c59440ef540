#ifndef PAGEABOUT_H
#define PAGEABOUT_H

#include "dialogpageabout.h"
#include "pageabout_export.h"

// The help menu as the main window opens it.
class PAGEABOUT_EXPORT PageAbout : public DialogPageAbout
{
    Q_OBJECT
public:
    explicit PageAbout(QWidget* parent = nullptr);
    ~PageAbout() override;
};

#endif // PAGEABOUT_H
