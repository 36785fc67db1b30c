#pragma once
// A net game without window or sound, one side of a recording played by its script.

struct Options;

// A net game without window or sound (--host or --join with --headless --script FILE): this
// side's player presses what the script's events of that player say, at their ticks. Prints the
// game's last line; exit status 0 when it ended by game over or by a player leaving it.
int runNetHeadless(const Options& options);
