#include "framework/trail.h"

#include <cmath>

namespace {

constexpr float linkMin = 0.9f;
constexpr float linkMax = 1.4f;
constexpr float damping = 0.5f;
constexpr float pull = 0.3f;
// A link of length 0 has no direction of its own: the point then hangs straight down.
constexpr TailVector fallback = {0.0f, -1.0f};

}  // namespace

// Each point follows the one before it, which has already moved in this pass.
void pullTrail(TailVector points[], TailVector velocities[], int count) {
    for (int k = 1; k < count; ++k) {
        const TailVector& prev = points[k - 1];
        TailVector& point = points[k];
        TailVector& velocity = velocities[k];
        velocity.x *= damping;
        velocity.y *= damping;
        float dx = prev.x - point.x;
        float dy = prev.y - point.y;
        float len = std::sqrt(dx * dx + dy * dy);
        if (len > linkMax || len < linkMin) {
            TailVector away = len > 0.0f ? TailVector{-dx / len, -dy / len} : fallback;
            point = {prev.x + linkMax * away.x, prev.y + linkMax * away.y};
            dx = prev.x - point.x;
            dy = prev.y - point.y;
        }
        velocity.x += pull * dx;
        velocity.y += pull * dy;
        point.x += velocity.x;
        point.y += velocity.y;
    }
}
