#include "CheckToolRun.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

CheckRun RunCheck(const std::string& arguments) {
    CheckRun run;
    // In sanitizer builds a report ends the checker with status 70, which no normal run has,
    // so that it cannot pass for the status of a run with errors (1).
    const std::string command =
        "ASAN_OPTIONS=\"${ASAN_OPTIONS}:exitcode=70\" "
        "UBSAN_OPTIONS=\"${UBSAN_OPTIONS}:exitcode=70\" " +
        std::string(GLIMMERAX_CHECK_BINARY) + " " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return run;
    }
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0) {
        run.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

int ReplaceInFile(const std::string& path, const std::string& from, const std::string& to) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const size_t at = text.find(from);
    if (at == std::string::npos) {
        return 0;
    }
    const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + at, '\n'));
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    return line;
}
