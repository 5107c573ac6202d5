#pragma once
// Turning a category's icon text into the image the tree shows.

#include <windows.h>
#include <commctrl.h>

#include "model/CategoryTree.h"

namespace tessaly::win32 {

// Gives node its image index, as the tree asks when it draws the node. A node already
// resolved (index above 0) or without icon text keeps its index; a file-form icon text
// appends the file's icon, scaled to the list's size, to images. An icon text that cannot be
// turned into an image gets a fixed fallback image, so it is not tried again.
int ResolveTreeImage(CategoryNode& node, HIMAGELIST images);

}  // namespace tessaly::win32
