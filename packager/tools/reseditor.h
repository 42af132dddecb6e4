#pragma once

// Our resource editor for the products of our own self-extractor module. It
// understands the two command lines the icon replacement uses and edits the
// product's icon block; the module's bytes, the configuration block and the
// archive are copied unchanged. Plain C++, no Qt.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reseditor {

enum class Action { Delete, AddOverwrite };

struct Request
{
    std::string openPath;
    std::string savePath;
    Action action = Action::Delete;
    std::string resourcePath; // the .ico, for AddOverwrite
    std::string logPath;      // "NUL" or /dev/null discard the log
};

// Exactly the two argument lists, nothing more and nothing less:
//   -open P -save P -action delete -mask ICONGROUP, -log L
//   -open P -save P -action addoverwrite -resource ICO -mask ICONGROUP,MAINICON, -log L
std::optional<Request> parseArguments(const std::vector<std::string> &arguments, std::string &error);

bool discardsLog(std::string_view logPath);

// Checks that the bytes are an ICO file whose directory and images lie
// within it; `why` says what is wrong otherwise.
bool validIcon(std::string_view bytes, std::string &why);

// Carries out the request. The new product is written beside the target and
// renamed over it, so the target is either the old file or the whole new one.
// Returns false with `error` set when nothing was changed; `log` collects
// what was done either way.
bool edit(const Request &request, std::string &error, std::string &log);

} // namespace reseditor
