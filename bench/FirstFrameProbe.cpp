// A probe preloaded (LD_PRELOAD) into a program under measurement: its first
// SDL_GL_SwapBuffers runs as usual, then the probe writes the monotonic clock reading, in
// nanoseconds, to the file descriptor named by GLIMMERAX_FIRST_FRAME_FD and ends the process
// with status 0. The return from the first swap is the moment the first complete frame has
// been handed to the X server: the start-up benchmark's signal that the program is on screen.

#include <SDL/SDL.h>
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

extern "C" void SDL_GL_SwapBuffers() {
    using SwapFunction = void (*)();
    auto realSwap = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    if (realSwap) {
        realSwap();
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t nanoseconds = int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
    const char* fd = std::getenv("GLIMMERAX_FIRST_FRAME_FD");
    if (fd && realSwap) {
        const ssize_t written = write(std::atoi(fd), &nanoseconds, sizeof nanoseconds);
        _exit(written == sizeof nanoseconds ? 0 : 3);
    }
    _exit(3);
}
