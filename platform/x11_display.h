// Qt's own X connection, for the platform's Xlib calls (private to platform/). An X error that a
// call causes is counted instead of ending the process, as Xlib's own handler would.
#pragma once

struct _XDisplay;

namespace win::x11 {

// Null without an X display (Qt's offscreen platform).
_XDisplay* QtDisplay();
// The X errors that have come in so far.
unsigned long ErrorCount();

}  // namespace win::x11
