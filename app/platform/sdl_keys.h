#pragma once
// SDL 1.2's keys in our key codes.

// The code of a key SDL 1.2 reports as symbol `sym` on X keycode `scancode` (0 where it reports
// none): a key of the main block by its place, any other by its symbol; keyNone for a symbol we
// have no code for.
int keyOfSdl(int sym, int scancode);
