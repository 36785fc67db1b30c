#include "base/random.h"

RandomStream appRandomSource;
RandomStream audioRandomSource;

int appRandom() { return static_cast<int>(appRandomSource.draw()); }

int appRandomBelow(int n) { return appRandom() % n; }
