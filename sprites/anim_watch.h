// The clock centrepiece's geometry: where a hand of the watch ends.
#pragma once

#include "platform/gdi.h"
#include "runtime/checked.h"

// The end point of a hand from the centre (cx, cy) for the value v at k degrees per unit and
// length pixels: zero points up and the hands turn clockwise. Rounds half to even; an end point
// beyond the 32-bit range raises error 6.
win::POINT HandEnd(rt::Long cx, rt::Long cy, double v, double k, double length);
