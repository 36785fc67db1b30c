#pragma once
#include <X11/Xlib.h>

// SDL's own X connection once video is up, or null (no video yet, or not X11): what is asked of
// X then concerns the display SDL opened, and a display that refuses us is tried only once.
Display* sdlDisplay();
