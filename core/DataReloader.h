#pragma once
// One kind of data that live reload reads again while the game runs: the sprite, animation
// and font managers and the sound manager each are one. The world asks every reloader which
// files a changed data path concerns, forgets the problems reported for those files, and has
// the reloader read them again.
//
// Paths are data paths relative to the data folder, as the loaders read them ('/' between
// parts), the same paths DataWatch reports.

#include <string>
#include <vector>

class DataReloader {
public:
    virtual ~DataReloader() = default;

    // The set files this kind reads again when the file at path changed: path itself when it
    // is one of its set files, the set files whose items read it when it is another file (a
    // sprite's sheet, a sound); empty when the path is none of this kind's.
    virtual std::vector<std::string> FilesAffectedBy(const std::string& path) const = 0;
    // Reads the set file again and updates the items it gave in place, so that every pointer
    // handed out stays valid. An item whose new version reports a problem stays as it was; a
    // file that no longer loads leaves every item as it was. Each problem is reported once
    // (core/Diagnostics.h). True when every item was taken from the new version.
    virtual bool Reload(const std::string& file) = 0;
};
