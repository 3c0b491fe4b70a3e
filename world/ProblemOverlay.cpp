#include "world/ProblemOverlay.h"

#include <algorithm>
#include <cctype>

#include "core/DataWatch.h"
#include "core/Log.h"
#include "math/Vector2.h"
#include "resources/CFont.h"
#include "resources/CFontManager.h"

namespace {

// Pixels between two lines of the list, its left margin and the first line's height above
// the picture's bottom (the list runs downwards from near the top of a 512-pixel picture).
constexpr float kLineStep = 16.0f;
constexpr float kMargin = 8.0f;
constexpr float kTop = 500.0f;

}  // namespace

ProblemOverlay::~ProblemOverlay() { Uninstall(); }

void ProblemOverlay::Install() {
    if (!m_installed) {
        m_previous = Diagnostics::Install(this);
        m_installed = true;
    }
}

void ProblemOverlay::Uninstall() {
    if (m_installed) {
        Diagnostics::Install(m_previous);
        m_installed = false;
    }
}

void ProblemOverlay::Report(const std::string& file, int line, const std::string& text) {
    m_problems.push_back({file, line, text});
    if (DataWatch::Active().IsOn()) {
        m_visible = true;
    }
    if (m_previous) {
        m_previous->Report(file, line, text);
    } else {
        LogMessage("%s", text.c_str());
    }
}

void ProblemOverlay::Forget(const std::string& file) {
    m_problems.erase(std::remove_if(m_problems.begin(), m_problems.end(),
                                    [&file](const Problem& p) { return p.file == file; }),
                     m_problems.end());
    if (m_problems.empty() && DataWatch::Active().IsOn()) {
        m_visible = false;
    }
}

std::vector<std::string> ProblemOverlay::Lines() const {
    std::vector<std::string> lines;
    const size_t first = m_problems.size() > kShownLines ? m_problems.size() - kShownLines : 0;
    for (size_t i = first; i < m_problems.size(); ++i) {
        const Problem& problem = m_problems[i];
        std::string text = problem.text;
        while (!text.empty() && text.back() == '\n') {
            text.pop_back();
        }
        lines.push_back(problem.file + ":" + std::to_string(problem.line) + ": " + text);
    }
    return lines;
}

void ProblemOverlay::Render() const {
    const CFont* font = CFontManager::GetInstance()->GetFont("small");
    if (!m_visible || !font) {
        return;
    }
    float y = kTop;
    for (std::string line : Lines()) {
        // The game's bitmap fonts hold capital letters.
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        font->DrawText(line, Vector2(1.0f, 1.0f), Vector2(kMargin, y));
        y -= kLineStep;
    }
}
