// Glimmerax: the executable is the engine's game loop and nothing else. It reads config.xml
// from the working directory and ends with status 1.

#include "world/GameMain.h"

int main(int /*argc*/, char** /*argv*/) {
    return RunGame();
}
