#pragma once
// The volume keys, the mute key and the bar that shows them.

// The volume the player sets with F9 and F10 (kept in settings.conf) and the mute key (for this
// run only); each change shows a bar for a second.

// Down (-1) or up (1) by a step, within 0 to 100; unmutes.
void stepVolume(int direction);
void toggleMute();
// What the audio plays at: settings.volume, or nothing while muted.
void applyVolume();
// Over a frame's picture while the bar shows.
void drawVolumeBar();
