#pragma once

#include <QIcon>

namespace zel {

// The pictures the host lends to the windows, by number.
enum HostPictureId : int { kReferencePicture = 101 };

// The picture of that number; an empty icon for a number the host has no picture for.
QIcon HostPicture(int id);

}  // namespace zel
