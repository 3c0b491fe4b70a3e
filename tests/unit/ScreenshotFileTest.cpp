// Screenshots: the PNG writer's files decode to the same pixels (through libpng and through
// the game's own decoder), and each screenshot gets a new name by date and time.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <vector>

#include "png/PngEncoder.h"
#include "resources/LoadPngImage.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "world/ScreenshotFile.h"

namespace {

// A picture of width x height whose every byte differs from its neighbours.
std::vector<unsigned char> Picture(uint32_t width, uint32_t height) {
    std::vector<unsigned char> rgb(size_t{width} * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = static_cast<unsigned char>(i * 7 + i / 251);
    }
    return rgb;
}

TEST(ScreenshotFileTest, TheWrittenPngDecodesToTheSamePixelsInLibpngAndTheGamesDecoder) {
    // 300 x 100 needs two stored deflate blocks.
    const uint32_t width = 300, height = 100;
    const std::vector<unsigned char> rgb = Picture(width, height);
    TempDir dir;
    const std::string path =
        ScreenshotFile(dir.Path() + "/shots").Save(rgb, width, height, 1765200000);
    ASSERT_EQ(path, dir.Path() + "/shots/2025-12-08_13-20-00.png");

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> decoded(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr))
        << image.message;
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(decoded, rgb);

    std::vector<unsigned char> rgba;
    int w = 0, h = 0;
    ASSERT_EQ(LoadPngImage(path, rgba, w, h), "");
    ASSERT_EQ(rgba.size(), size_t{width} * height * 4);
    for (size_t i = 0; i < size_t{width} * height * 3; ++i) {
        ASSERT_EQ(rgba[i / 3 * 4 + i % 3], rgb[i]) << "byte " << i;
    }
}

TEST(ScreenshotFileTest, ShotsOfTheSameSecondGetNewNamesAndEachIsOneLogLine) {
    TempDir dir;
    const std::vector<unsigned char> rgb = Picture(4, 2);
    LogCapture log;
    ScreenshotFile file(dir.Path());
    EXPECT_EQ(file.Save(rgb, 4, 2, 0), dir.Path() + "/1970-01-01_00-00-00.png");
    EXPECT_EQ(file.Save(rgb, 4, 2, 0), dir.Path() + "/1970-01-01_00-00-00-2.png");
    EXPECT_EQ(log.Text(), "Screenshot saved: " + dir.Path() + "/1970-01-01_00-00-00.png\n" +
                              "Screenshot saved: " + dir.Path() + "/1970-01-01_00-00-00-2.png\n");
    log.Clear();
    EXPECT_EQ(ScreenshotFile("").Save(rgb, 4, 2, 0), "");
    EXPECT_TRUE(log.Contains("no folder")) << log.Text();
}

}  // namespace
