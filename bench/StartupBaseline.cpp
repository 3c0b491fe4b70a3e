// The least a program can do to show the default game's first frame: open an SDL OpenGL
// window of the game's size with the same accumulation-buffer request, decode every PNG the
// game reads (data/images and icon.png) to 8-bit RGBA with libpng, clear and swap. Run in the
// data folder by the start-up benchmark, with the same first-swap probe as the game.

#include <SDL/SDL.h>
#include <GL/gl.h>
#include <dirent.h>

#include <cstdio>
#include <string>
#include <vector>

#include "PngReference.h"

namespace {

// The game's request: 32 accumulation bits per channel, then 16, then none.
SDL_Surface* OpenWindow(int width, int height) {
    for (const int bits : {32, 16, 0}) {
        SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, bits);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, bits);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, bits);
        SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, bits);
        if (SDL_Surface* screen = SDL_SetVideoMode(width, height, 0, SDL_OPENGL)) {
            return screen;
        }
    }
    return nullptr;
}

std::vector<std::string> GamePngs() {
    std::vector<std::string> files{"icon.png"};
    if (DIR* dir = opendir("images")) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) {
                files.push_back("images/" + name);
            }
        }
        closedir(dir);
    }
    return files;
}

}  // namespace

int main() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !OpenWindow(1024, 512)) {
        std::fprintf(stderr, "no window: %s\n", SDL_GetError());
        return 2;
    }
    for (const std::string& file : GamePngs()) {
        pngref::Bytes rgba;
        uint32_t width = 0, height = 0;
        if (!pngref::LibpngDecode(pngref::ReadFile(file), rgba, width, height)) {
            std::fprintf(stderr, "libpng cannot decode %s\n", file.c_str());
            return 2;
        }
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapBuffers();
    SDL_Quit();
    return 1;
}
