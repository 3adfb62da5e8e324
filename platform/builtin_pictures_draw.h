// The drawing side of the built-in pictures, for the platform's own sources: each adds its
// pictures by name. A cursor picture carries its hotspot as the image's offset.
#pragma once

#include <QImage>
#include <map>
#include <string>

namespace forms {

// The settings dialog's preview icons, then AddDialogArtwork's pictures.
void AddDialogPictures(std::map<std::string, QImage>& pictures);
// The speaker, the About tab's banner and logo, the preview buttons' pointer.
void AddDialogArtwork(std::map<std::string, QImage>& pictures);

}  // namespace forms
