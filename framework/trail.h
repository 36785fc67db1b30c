#pragma once

// A point of a trail or its velocity, in cells (per tick).
struct TailVector {
    float x;
    float y;
};

// One tick of a chain of `count` points hanging from point 0, which the game places: each
// following point is kept 0.9 to 1.4 cells from the one before it and swings after it.
// velocities[0] is never read.
void pullTrail(TailVector points[], TailVector velocities[], int count);
