#include "tools/check/Findings.h"

#include <algorithm>
#include <cstdio>

#include "core/DataLayers.h"

namespace {

const char* SeverityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

// The text as a JSON string literal: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace

void Findings::Error(const std::string& file, int line, const std::string& message) {
    Add({file, line, Severity::Error, message});
}

void Findings::Warning(const std::string& file, int line, const std::string& message) {
    Add({file, line, Severity::Warning, message});
}

void Findings::GameError(const std::string& file, int line, const std::string& message) {
    Finding finding{file, line, Severity::Error, message};
    finding.fromGame = true;
    Add(finding);
}

void Findings::Add(const Finding& found) {
    Finding added = found;
    // A file that mods may replace is named with the layer it was read from.
    if (!DataLayers::Active().ModNames().empty() && !added.file.empty()) {
        added.layer = DataLayers::Active().LayerOf(added.file);
    }
    for (Finding& finding : m_findings) {
        if (finding.file == added.file && finding.severity == added.severity &&
            finding.message == added.message) {
            ++finding.repeats;
            return;
        }
    }
    m_findings.push_back(added);
}

std::string Findings::Text(const Finding& finding) {
    if (finding.repeats == 0) {
        return finding.message;
    }
    return finding.message + " (and " + std::to_string(finding.repeats) + " more time" +
           (finding.repeats == 1 ? "" : "s") + " in this file)";
}

int Findings::ErrorCount() const {
    return static_cast<int>(
        std::count_if(m_findings.begin(), m_findings.end(),
                      [](const Finding& f) { return f.severity == Severity::Error; }));
}

int Findings::WarningCount() const {
    return static_cast<int>(m_findings.size()) - ErrorCount();
}

void Findings::PrintText(std::ostream& out) const {
    for (const Finding& finding : m_findings) {
        out << finding.file << ':' << finding.line << ": " << SeverityName(finding.severity) << ": "
            << Text(finding) << (finding.layer.empty() ? "" : " [layer " + finding.layer + "]")
            << '\n';
    }
    const int errors = ErrorCount();
    const int warnings = WarningCount();
    out << errors << " errors, " << warnings << " warnings\n";
}

void Findings::PrintJson(std::ostream& out) const {
    out << '[';
    for (size_t i = 0; i < m_findings.size(); ++i) {
        const Finding& finding = m_findings[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"file\": " << JsonString(finding.file)
            << ", \"line\": " << finding.line
            << ", \"severity\": " << JsonString(SeverityName(finding.severity))
            << ", \"message\": " << JsonString(Text(finding))
            << ", \"origin\": " << JsonString(finding.fromGame ? "game" : "checker");
        if (!finding.layer.empty()) {
            out << ", \"layer\": " << JsonString(finding.layer);
        }
        out << '}';
    }
    out << (m_findings.empty() ? "]\n" : "\n]\n");
}
