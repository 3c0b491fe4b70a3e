#include "game/ScoreTable.h"

#include <tinyxml.h>

#include <ctime>

#include "core/XmlRead.h"
#include "platform/FileSystem.h"

int ScoreTable::Add(int32_t points, const std::string& date) {
    // Below every entry of the same or more points: ties keep the older result on top.
    size_t rank = 0;
    while (rank < m_entries.size() && m_entries[rank].points >= points) {
        ++rank;
    }
    if (rank >= kCapacity) {
        return -1;
    }
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(rank), {points, date});
    if (m_entries.size() > kCapacity) {
        m_entries.resize(kCapacity);
    }
    return static_cast<int>(rank);
}

std::string ScoreTable::ToXml() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement("scores");
    document.LinkEndChild(root);
    AppendTo(root);
    TiXmlPrinter printer;
    printer.SetIndent("  ");
    document.Accept(&printer);
    return printer.Str();
}

bool ScoreTable::FromXml(const std::string& text, std::string& error) {
    TiXmlDocument document;
    if (!xml::ParseText(document, text)) {
        error = document.ErrorDesc();
        return false;
    }
    const TiXmlElement* root = document.FirstChildElement("scores");
    if (!root) {
        error = "no <scores> root element";
        return false;
    }
    return ReadFrom(root, error);
}

void ScoreTable::AppendTo(TiXmlElement* parent) const {
    for (const ScoreEntry& entry : m_entries) {
        auto* score = new TiXmlElement("score");
        score->SetAttribute("points", entry.points);
        score->SetAttribute("date", entry.date.c_str());
        parent->LinkEndChild(score);
    }
}

bool ScoreTable::ReadFrom(const TiXmlElement* parent, std::string& error) {
    ScoreTable read;
    for (const TiXmlElement* score = parent->FirstChildElement("score"); score;
         score = score->NextSiblingElement("score")) {
        int points = 0;
        if (score->QueryIntAttribute("points", &points) != TIXML_SUCCESS) {
            error = "a <score> without a whole number \"points\"";
            return false;
        }
        const char* date = score->Attribute("date");
        read.Add(points, date ? date : "");
    }
    m_entries = std::move(read.m_entries);
    return true;
}

std::string ScoreTable::Now() {
    const std::time_t now = std::time(nullptr);
    const std::tm utc = platform::UtcTime(now);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}
