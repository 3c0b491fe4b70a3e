// Glimmerax: the executable is the engine's game loop and nothing else. It reads config.xml
// from the working directory and ends with status 1.
//
// SDL.h is included for its start-up: on Windows it renames main so that SDL's own WinMain
// runs first and sends the standard streams, and so the log, to stdout.txt and stderr.txt
// beside the program.

#include <SDL/SDL.h>

#include "platform/DataFolder.h"
#include "platform/SystemServices.h"
#include "world/GameMain.h"

int main(int /*argc*/, char* /*argv*/[]) {
    // The Windows release keeps its data in a folder beside the program; on other systems the
    // launcher starts the game in its data folder and this changes nothing.
    platform::EnterDataFolder(platform::ExecutablePath());
    return RunGame();
}
