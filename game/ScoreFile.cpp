#include "game/ScoreFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/Log.h"
#include "core/ReadFileBytes.h"
#include "game/ScoreBook.h"
#include "game/ScoreTable.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"

std::string ScoreFile::DefaultPath() {
    const std::string folder = platform::GameDataFolder();
    return folder.empty() ? "" : folder + "/scores.xml";
}

void ScoreFile::Load(ScoreTable& table) {
    table.Clear();
    LoadWith([&table](const std::string& text, std::string& error) {
        return table.FromXml(text, error);
    });
}

void ScoreFile::Load(ScoreBook& book) {
    book.Clear();
    LoadWith([this, &book](const std::string& text, std::string& error) {
        return book.FromXml(text, m_path, error);
    });
}

void ScoreFile::LoadWith(const std::function<bool(const std::string&, std::string&)>& parse) {
    if (m_path.empty() || !m_files.PathExists(m_path)) {
        return;
    }
    std::vector<unsigned char> bytes;
    ReadFileBytes(m_path, bytes);
    std::string error;
    if (parse(std::string(bytes.begin(), bytes.end()), error)) {
        return;
    }
    const std::string aside = SetAside();
    if (aside.empty()) {
        LogMessage(
            "Scores file %s does not parse (%s) and cannot be set aside: %s; a fresh "
            "table starts and it is not overwritten\n",
            m_path.c_str(), error.c_str(), std::strerror(errno));
        // Writing over the unreadable file would lose it: this run keeps its scores in memory.
        m_path.clear();
        m_saveFailureReported = true;
        return;
    }
    LogMessage("Scores file %s does not parse (%s): kept as %s, a fresh table starts\n",
               m_path.c_str(), error.c_str(), aside.c_str());
}

std::string ScoreFile::SetAside() const {
    return platform::AtomicFile(m_path, m_files).SetAside();
}

bool ScoreFile::Save(const ScoreTable& table) {
    return SaveText(table.ToXml());
}

bool ScoreFile::Save(const ScoreBook& book) {
    return SaveText(book.ToXml());
}

bool ScoreFile::SaveText(const std::string& text) {
    if (m_path.empty()) {
        ReportSaveFailure("no home folder to keep them in");
        return false;
    }
    platform::AtomicFile file(m_path, m_files);
    if (std::getenv(kStopBeforeRenameVariable)) {
        file.SetBeforeRename([](const std::string& temporary) {
            LogMessage("Scores written to %s, stopping before the rename\n", temporary.c_str());
            platform::StopProcessForTest();
        });
    }
    std::string error;
    if (!file.Save(text, error)) {
        ReportSaveFailure(error);
        return false;
    }
    return true;
}

void ScoreFile::ReportSaveFailure(const std::string& error) {
    if (m_saveFailureReported) {
        return;
    }
    m_saveFailureReported = true;
    LogMessage("Scores are not saved to %s: %s; the game plays on\n", m_path.c_str(),
               error.c_str());
}
