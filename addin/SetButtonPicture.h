// The image of a command-bar button from bitmap resources of the add-in module.
#pragma once

#include "office/CommandBarControl.h"

// Sets the bitmap pictureId as the button's picture and, when maskId is not -1, the
// bitmap maskId as its mask. Office copies each image, so the bitmaps and their picture
// objects are freed again here. A bitmap that cannot be loaded or turned into a picture
// leaves that image unset; a failing Picture or Mask property raises _com_error.
void SetButtonPicture(Office::CommandBarButton* button, int pictureId, int maskId);
