#include <cstdio>
#include <string>

#include "app/lifecycle.h"
#include "app/main_loop.h"

int main() {
    std::string error;
    if (!appInit(error)) {
        std::fprintf(stderr, "tandrel: %s\n", error.c_str());
        return 1;
    }
    mainLoop();
    appShutdown();
    return 0;
}
