// Arithmetic of placing a picture: where the new item starts, where it is centred, and the names of the
// copies in the data folder. Portable; no host or system call.
#pragma once

#include "xtension/kit/xt_kit.h"

#include <string>

// The new item is one unit wide and high; its top-left corner is the visible area's, each coordinate
// reduced by half a unit.
XtFixedRect PlacementBounds(const XtFixedRect& rctVisible);

// The item's position from the visible area's top-left corner that centres the picture: half the
// difference between the extent of the area and that of the picture, per axis. Computed in 64 bits, so
// no extents the host can report overflow.
XtFixedPoint CentredPosition(const XtFixedRect& rctVisible, const XtFixedPoint& ptPictureExtent);

// Name of a copy in the data folder: the time in decimal and ".eps" for the first copy of a second
// (nAttempt 0), then "<time>_1.eps", "<time>_2.eps" ... for later copies within the same second.
std::string DataFileName(long long nTime, int nAttempt);
