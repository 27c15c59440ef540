#ifndef PAGEPROFILE_H
#define PAGEPROFILE_H

#include "pageprofile_export.h"
#include "widgetpageprofile.h"

// The profile page as the user tab holds it.
class PAGEPROFILE_EXPORT PageProfile : public WidgetPageProfile
{
    Q_OBJECT
public:
    explicit PageProfile(QWidget* parent = nullptr);
    ~PageProfile() override;
};

#endif // PAGEPROFILE_H
