// libFuzzer entry for the resource editor: the input is split into a target
// file and an icon file, and both edits are run on them in a private folder.
// Whatever the input, a refused edit must leave the target as it was.
#include "reseditor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string g_dir;

void writeFile(const std::string &path, const std::uint8_t *data, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0700);
    if (fd < 0)
        std::abort();
    if (size > 0 && ::write(fd, data, size) != ssize_t(size))
        std::abort();
    ::close(fd);
}

std::string readFile(const std::string &path)
{
    std::string bytes;
    if (std::FILE *f = std::fopen(path.c_str(), "rb")) {
        char buffer[65536];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char pattern[] = "/tmp/icons-fuzz-editor.XXXXXX";
    if (!::mkdtemp(pattern))
        std::abort();
    g_dir = pattern;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The first four bytes say where the icon file starts.
    std::size_t split = size;
    if (size >= 4) {
        std::uint32_t at = 0;
        std::memcpy(&at, data, 4);
        split = 4 + at % (size - 3);
    }
    const std::uint8_t *target = size >= 4 ? data + 4 : data;
    const std::size_t targetSize = size >= 4 ? split - 4 : size;
    const std::string exe = g_dir + "/app.exe";
    const std::string ico = g_dir + "/icon.ico";
    writeFile(ico, data + split, size - split);

    std::string why;
    reseditor::validIcon(std::string_view(reinterpret_cast<const char *>(data + split), size - split), why);

    for (auto action : {reseditor::Action::AddOverwrite, reseditor::Action::Delete}) {
        writeFile(exe, target, targetSize);
        reseditor::Request request;
        request.openPath = request.savePath = exe;
        request.action = action;
        request.resourcePath = ico;
        request.logPath = "NUL";
        std::string error;
        std::string log;
        const bool edited = reseditor::edit(request, error, log);
        if (!edited && readFile(exe) != std::string(reinterpret_cast<const char *>(target), targetSize))
            std::abort();
    }
    return 0;
}
