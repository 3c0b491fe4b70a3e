#include "png/CPngDecoder.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PngReference.h"

namespace {

const std::string kSuite = std::string(GLIMMERAX_TEST_DATA) + "/pngsuite/";

std::vector<std::string> SuiteImages() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(kSuite.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) {
                names.push_back(name);
            }
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// Every valid PngSuite image decodes to exactly libpng's 8-bit RGBA bytes; every corrupt
// ('x') image is rejected with the output untouched.
TEST(PngSuite, MatchesLibpngAndRejectsEveryCorruptImage) {
    const std::vector<std::string> names = SuiteImages();
    int valid = 0;
    int corrupt = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const pngref::Bytes file = pngref::ReadFile(kSuite + name);
        ASSERT_FALSE(file.empty());
        std::vector<unsigned char> ours = {1, 2, 3};
        CPngDecoder decoder;
        decoder.Decode(ours, file);
        if (name[0] == 'x') {
            ++corrupt;
            EXPECT_TRUE(decoder.HasError());
            EXPECT_NE(decoder.GetError(), 0u);
            EXPECT_EQ(ours, (std::vector<unsigned char>{1, 2, 3}));
            continue;
        }
        ++valid;
        pngref::Bytes expected;
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(pngref::LibpngDecode(file, expected, width, height));
        ASSERT_EQ(decoder.GetError(), 0u);
        EXPECT_EQ(decoder.GetWidth(), width);
        EXPECT_EQ(decoder.GetHeight(), height);
        EXPECT_TRUE(ours == expected);
    }
    EXPECT_EQ(valid, 162);
    EXPECT_EQ(corrupt, 14);
}
