// The settings reader: the fuzzed bytes are read as a settings file over the defaults. What
// was read must then survive its own round trip (written, read again, the same settings),
// or the writer and the reader disagree and a player's file would change by being saved.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzHome.h"
#include "world/SettingsXml.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::EnterHome(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const Settings defaults;
    Settings read = defaults;
    std::string error;
    if (!SettingsXml::Read(text, "settings.xml", read, error)) {
        return 0;
    }
    Settings again = defaults;
    if (!SettingsXml::Read(SettingsXml::Write(read, defaults), "settings.xml", again, error) ||
        again != read) {
        std::abort();
    }
    return 0;
}
