#pragma once
// The data problems on screen: a diagnostics sink that keeps every problem the loaders report
// (file, line, text) and hands each on to the sink it replaced, so the log reads as before.
// F9 shows or hides the list over the picture. In watch mode it shows by itself when a
// problem appears and hides when a reload leaves none. It draws with the "small" font.

#include <string>
#include <vector>

#include "core/Diagnostics.h"

class ProblemOverlay : public Diagnostics {
public:
    // How many problems the list shows at most, newest last.
    static constexpr size_t kShownLines = 12;

    ProblemOverlay() = default;
    ~ProblemOverlay() override;
    ProblemOverlay(const ProblemOverlay&) = delete;
    ProblemOverlay& operator=(const ProblemOverlay&) = delete;

    // Becomes the current sink (once); Uninstall gives the previous one back.
    void Install();
    void Uninstall();

    void Report(const std::string& file, int line, const std::string& text) override;
    // Drops the problems of the file (about to be read again); in watch mode the list hides
    // when none is left.
    void Forget(const std::string& file);
    void Toggle() { m_visible = !m_visible; }
    bool IsVisible() const { return m_visible; }
    // The lines shown: "file:line: text" without the line end, newest last.
    std::vector<std::string> Lines() const;
    // Draws the lines at the picture's top left when visible.
    void Render() const;

private:
    struct Problem {
        std::string file;
        int line = 0;
        std::string text;
    };

    std::vector<Problem> m_problems;
    Diagnostics* m_previous = nullptr;
    bool m_installed = false;
    bool m_visible = false;
};
