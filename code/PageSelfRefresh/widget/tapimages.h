#ifndef TAPIMAGES_H
#define TAPIMAGES_H

#include "resource.h"
#include "tapcaption.h"

// The wizard's buttons take three consecutive pictures: at rest, pointer over, pressed.
inline void setTapImages(TapCaption* button, const Resource::ID& first)
{
    button->setStateImages(Resource::getResPath(first), Resource::getResPath(first + 1),
                           Resource::getResPath(first + 2));
}

#endif // TAPIMAGES_H
