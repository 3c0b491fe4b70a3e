// The screenshot key: the picture of the frame just drawn, read from the back buffer before
// the swap, saved as a PNG (ScreenshotFile).
#include "world/ShooterWorld.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "resources/GLApi.h"
#include "world/ScreenshotFile.h"

void ShooterWorld::SaveScreenshotIfWanted() {
    if (!m_screenshotWanted) {
        return;
    }
    m_screenshotWanted = false;
    // The picture as the window shows it, at the window's scale.
    const auto width = static_cast<uint32_t>(m_window.PictureWidth());
    const auto height = static_cast<uint32_t>(m_window.PictureHeight());
    std::vector<unsigned char> bottomUp(size_t{width} * height * 3);
    ReadFromBackBuffer();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(m_window.PictureX(), m_window.PictureY(), static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    // OpenGL's rows go up from the bottom; a PNG's go down from the top.
    std::vector<unsigned char> rgb(bottomUp.size());
    const size_t row = size_t{width} * 3;
    for (uint32_t y = 0; y < height; ++y) {
        std::copy_n(bottomUp.data() + (height - 1 - y) * row, row, rgb.data() + y * row);
    }
    ScreenshotFile().Save(rgb, width, height, std::time(nullptr));
}
