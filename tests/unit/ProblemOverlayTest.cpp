// The problems' list: it keeps what the loaders report, hands it on unchanged, shows by itself
// in watch mode and hides when a reload leaves no problem.

#include "world/ProblemOverlay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/DataWatch.h"
#include "core/Diagnostics.h"

namespace {

class Recorder : public Diagnostics {
public:
    void Report(const std::string& file, int line, const std::string& text) override {
        texts.push_back(file + "@" + std::to_string(line) + " " + text);
    }
    std::vector<std::string> texts;
};

}  // namespace

TEST(ProblemOverlay, KeepsAndHandsOnProblemsShowsInWatchModeHidesWhenFixed) {
    Recorder recorder;
    Diagnostics* before = Diagnostics::Install(&recorder);
    DataWatch::Active().SetOn(true);
    {
        ProblemOverlay overlay;
        overlay.Install();
        ReportProblem("levels/one.xml", 7, "LevelLoader: Missing attribute \"x\"\n");
        ReportProblem("gui/hud.xml", 3, "CGUI: Unknown font \"tiny\"\n");
        EXPECT_EQ(recorder.texts,
                  (std::vector<std::string>{"levels/one.xml@7 LevelLoader: Missing attribute \"x\"\n",
                                            "gui/hud.xml@3 CGUI: Unknown font \"tiny\"\n"}));
        EXPECT_TRUE(overlay.IsVisible());
        EXPECT_EQ(overlay.Lines(),
                  (std::vector<std::string>{"levels/one.xml:7: LevelLoader: Missing attribute \"x\"",
                                            "gui/hud.xml:3: CGUI: Unknown font \"tiny\""}));
        overlay.Forget("levels/one.xml");
        EXPECT_EQ(overlay.Lines().size(), 1u);
        EXPECT_TRUE(overlay.IsVisible());
        overlay.Forget("gui/hud.xml");
        EXPECT_FALSE(overlay.IsVisible());
        overlay.Toggle();
        EXPECT_TRUE(overlay.IsVisible());
    }
    // Gone, the overlay gave the sink back.
    ReportProblem("a.xml", 1, "after\n");
    EXPECT_EQ(recorder.texts.back(), "a.xml@1 after\n");
    DataWatch::Active().SetOn(false);
    Diagnostics::Install(before);
}

TEST(ProblemOverlay, OutOfWatchModeOnlyF9ShowsIt) {
    ProblemOverlay overlay;
    overlay.Install();
    ReportProblem("a.xml", 2, "problem\n");
    EXPECT_FALSE(overlay.IsVisible());
    overlay.Toggle();
    EXPECT_TRUE(overlay.IsVisible());
}
