#pragma once
// A fresh directory below /tmp, removed with its content when the object goes. Tests write
// small data files into it and may make it the working directory for the game's loaders.

#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();

    const std::string& Path() const { return m_path; }
    // Writes text to Path()/name (creating sub-directories) and returns the full path.
    std::string Write(const std::string& name, const std::string& text) const;
    // Copies every file of an existing directory into this one.
    void CopyFrom(const std::string& directory) const;
    // Makes this directory the working directory until the object goes.
    void Enter();

private:
    std::string m_path;
    std::string m_previous;
};
