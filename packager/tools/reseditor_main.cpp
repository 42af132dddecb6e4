#include "reseditor.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string programName(const char *argv0)
{
    const std::string path = argv0 ? argv0 : "reseditor";
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void writeLog(const std::string &logPath, const std::string &text)
{
    if (reseditor::discardsLog(logPath))
        return;
    // The log is a courtesy: failing to write it does not undo the edit.
    if (std::FILE *file = std::fopen(logPath.c_str(), "w")) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const std::string name = programName(argc > 0 ? argv[0] : nullptr);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);

    std::string error;
    const auto request = reseditor::parseArguments(arguments, error);
    if (!request) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 2;
    }

    std::string log;
    const bool done = reseditor::edit(*request, error, log);
    if (!done)
        log += "error: " + error + "\n";
    writeLog(request->logPath, log);
    if (!done) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        return 1;
    }
    return 0;
}
