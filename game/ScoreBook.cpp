#include "game/ScoreBook.h"

#include <tinyxml.h>

#include "core/Log.h"
#include "core/XmlRead.h"
#include "game/Difficulty.h"

ScoreTable& ScoreBook::Table(const std::string& difficulty) {
    return m_tables[difficulty];
}

const ScoreTable* ScoreBook::Find(const std::string& difficulty) const {
    const auto found = m_tables.find(difficulty);
    return found == m_tables.end() ? nullptr : &found->second;
}

std::string ScoreBook::ToXml() const {
    TiXmlDocument document;
    document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
    auto* root = new TiXmlElement("scores");
    document.LinkEndChild(root);
    if (const ScoreTable* normal = Find(Difficulty::kNormal)) {
        normal->AppendTo(root);
    }
    for (const auto& [name, table] : m_tables) {
        if (name == Difficulty::kNormal || table.Entries().empty()) {
            continue;
        }
        auto* element = new TiXmlElement("table");
        element->SetAttribute("difficulty", name.c_str());
        table.AppendTo(element);
        root->LinkEndChild(element);
    }
    m_progress.AppendTo(root);
    TiXmlPrinter printer;
    printer.SetIndent("  ");
    document.Accept(&printer);
    return printer.Str();
}

bool ScoreBook::FromXml(const std::string& text, const std::string& file, std::string& error) {
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
    std::map<std::string, ScoreTable> read;
    if (!read[Difficulty::kNormal].ReadFrom(root, error)) {
        return false;
    }
    for (const TiXmlElement* table = root->FirstChildElement("table"); table;
         table = table->NextSiblingElement("table")) {
        const char* name = table->Attribute("difficulty");
        if (!name || !*name || std::string(name) == Difficulty::kNormal || read.count(name)) {
            LogMessage("Scores file %s: a <table> at line %d without a difficulty of its own "
                       "is skipped\n",
                       file.c_str(), table->Row());
            continue;
        }
        if (!read[name].ReadFrom(table, error)) {
            return false;
        }
    }
    CampaignProgress progress;
    progress.ReadFrom(root, file);
    m_tables = std::move(read);
    m_progress = std::move(progress);
    return true;
}
