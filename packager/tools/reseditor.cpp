#include "reseditor.h"

#include "productlayout.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace reseditor {

namespace {

constexpr std::size_t kCopyChunk = 1024 * 1024;
constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

std::uint32_t le16(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8;
}

std::uint32_t le32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::string systemError(const std::string &what, const std::string &path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

// Closes the descriptor on every way out.
class Fd
{
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

bool writeAll(int fd, const char *data, std::size_t length)
{
    while (length > 0) {
        const ssize_t n = ::write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= std::size_t(n);
    }
    return true;
}

bool copyRange(int from, int to, std::uint64_t offset, std::uint64_t length)
{
    std::string buffer(kCopyChunk, '\0');
    while (length > 0) {
        const std::size_t want = std::size_t(std::min<std::uint64_t>(length, buffer.size()));
        const ssize_t n = ::pread(from, buffer.data(), want, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || !writeAll(to, buffer.data(), std::size_t(n)))
            return false;
        offset += std::uint64_t(n);
        length -= std::uint64_t(n);
    }
    return true;
}

bool readIconFile(const std::string &path, std::string &bytes, std::string &error)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info = {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0) {
        error = systemError("cannot open the icon file", path);
        return false;
    }
    if (!S_ISREG(info.st_mode) || info.st_size <= 0 || std::uint64_t(info.st_size) > productlayout::kMaxIconLength) {
        error = "the icon file " + path + " is empty, too large or not a file";
        return false;
    }
    bytes.assign(std::size_t(info.st_size), '\0');
    if (!productlayout::fileDescriptorReader(fd.get())(0, bytes.data(), bytes.size())) {
        error = systemError("cannot read the icon file", path);
        return false;
    }
    return true;
}

std::string describe(productlayout::Status status)
{
    switch (status) {
    case productlayout::Status::Ok:
        return "ok";
    case productlayout::Status::NotAModule:
        return "it does not start with a self-extractor module";
    case productlayout::Status::BadIconBlock:
        return "its icon block is damaged";
    case productlayout::Status::NoConfigBlock:
        return "it has no configuration block";
    case productlayout::Status::UnterminatedConfig:
        return "its configuration block has no end";
    }
    return "unknown layout";
}

std::string directoryOf(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file in the target's folder that has no name until it is complete
// (O_TMPFILE), or a hidden temporary name where the file system lacks that.
struct NewFile
{
    int fd = -1;
    std::string tempName; // set when the file already has a name
};

NewFile createBeside(const std::string &target, mode_t mode)
{
    NewFile file;
    const std::string dir = directoryOf(target);
#ifdef O_TMPFILE
    file.fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (file.fd >= 0)
        return file;
#endif
    std::string name = dir + "/." + baseNameOf(target) + ".edit-XXXXXX";
    file.fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (file.fd >= 0)
        file.tempName = name;
    return file;
}

bool publish(NewFile &file, const std::string &target)
{
    if (file.tempName.empty()) {
        std::string name = directoryOf(target) + "/." + baseNameOf(target) + ".edit-XXXXXX";
        // mkstemp only picks a free name; the anonymous file is linked to it.
        const int probe = ::mkostemp(name.data(), O_CLOEXEC);
        if (probe < 0)
            return false;
        ::close(probe);
        ::unlink(name.c_str());
        const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return false;
        file.tempName = name;
    }
    if (::rename(file.tempName.c_str(), target.c_str()) != 0) {
        ::unlink(file.tempName.c_str());
        file.tempName.clear();
        return false;
    }
    file.tempName.clear();
    return true;
}

void discard(NewFile &file)
{
    if (!file.tempName.empty())
        ::unlink(file.tempName.c_str());
    if (file.fd >= 0)
        ::close(file.fd);
    file.fd = -1;
}

} // namespace

std::optional<Request> parseArguments(const std::vector<std::string> &a, std::string &error)
{
    Request request;
    if (a.size() == 10 && a[0] == "-open" && a[2] == "-save" && a[4] == "-action" && a[5] == "delete"
        && a[6] == "-mask" && a[7] == "ICONGROUP," && a[8] == "-log") {
        request.action = Action::Delete;
        request.logPath = a[9];
    } else if (a.size() == 12 && a[0] == "-open" && a[2] == "-save" && a[4] == "-action" && a[5] == "addoverwrite"
               && a[6] == "-resource" && a[8] == "-mask" && a[9] == "ICONGROUP,MAINICON," && a[10] == "-log") {
        request.action = Action::AddOverwrite;
        request.resourcePath = a[7];
        request.logPath = a[11];
    } else {
        error = "usage: -open FILE -save FILE -action delete -mask ICONGROUP, -log LOG | "
                "-open FILE -save FILE -action addoverwrite -resource ICO -mask ICONGROUP,MAINICON, -log LOG";
        return std::nullopt;
    }
    request.openPath = a[1];
    request.savePath = a[3];
    if (request.openPath.empty() || request.savePath.empty()
        || (request.action == Action::AddOverwrite && request.resourcePath.empty())) {
        error = "empty file name";
        return std::nullopt;
    }
    return request;
}

bool discardsLog(std::string_view logPath)
{
    return logPath == "NUL" || logPath == "nul" || logPath == "/dev/null" || logPath.empty();
}

bool validIcon(std::string_view bytes, std::string &why)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    if (bytes.size() < 6 || bytes.size() > productlayout::kMaxIconLength) {
        why = "too short or too long for an icon file";
        return false;
    }
    if (le16(p) != 0 || le16(p + 2) != 1) {
        why = "no icon file header";
        return false;
    }
    const std::uint64_t count = le16(p + 4);
    const std::uint64_t directoryEnd = 6 + count * 16;
    if (count == 0 || directoryEnd > bytes.size()) {
        why = "the image count does not fit the file";
        return false;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
        const unsigned char *e = p + 6 + i * 16;
        const std::uint64_t size = le32(e + 8);
        const std::uint64_t offset = le32(e + 12);
        if (size == 0 || offset < directoryEnd || offset > bytes.size() || size > bytes.size() - offset) {
            why = "image " + std::to_string(i) + " lies outside the file";
            return false;
        }
        const std::string_view image = bytes.substr(std::size_t(offset), std::size_t(size));
        const bool png = image.size() >= 24 && image.substr(0, kPngSignature.size()) == kPngSignature;
        const auto *dib = reinterpret_cast<const unsigned char *>(image.data());
        const bool bitmap = image.size() >= 40 && le32(dib) >= 40 && le32(dib) <= image.size();
        if (!png && !bitmap) {
            why = "image " + std::to_string(i) + " is neither a bitmap nor a PNG image";
            return false;
        }
    }
    return true;
}

bool edit(const Request &request, std::string &error, std::string &log)
{
    log += "open " + request.openPath + "\n";
    Fd source(::open(request.openPath.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info = {};
    if (source.get() < 0 || ::fstat(source.get(), &info) != 0) {
        error = systemError("cannot open", request.openPath);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = request.openPath + " is not a regular file";
        return false;
    }
    const std::uint64_t size = std::uint64_t(info.st_size);
    const productlayout::ParseResult parsed = productlayout::parse(productlayout::fileDescriptorReader(source.get()), size);
    if (parsed.status != productlayout::Status::Ok) {
        error = request.openPath + " is not a product of our self-extractor: " + describe(parsed.status);
        return false;
    }
    const productlayout::Layout &layout = parsed.layout;
    const std::uint64_t afterIcon = layout.configOffset;

    std::string icon;
    if (request.action == Action::AddOverwrite) {
        if (!readIconFile(request.resourcePath, icon, error))
            return false;
        std::string why;
        if (!validIcon(icon, why)) {
            error = request.resourcePath + " is not a usable icon file: " + why;
            return false;
        }
    }

    if (request.action == Action::Delete && !layout.hasIcon && request.openPath == request.savePath) {
        log += "no icon group to delete\n";
        return true;
    }

    NewFile out = createBeside(request.savePath, info.st_mode & 07777);
    if (out.fd < 0) {
        error = systemError("cannot create a new file beside", request.savePath);
        return false;
    }
    bool written = copyRange(source.get(), out.fd, 0, layout.moduleLength);
    if (written && request.action == Action::AddOverwrite) {
        const std::string header = productlayout::iconBlockHeader(std::uint32_t(icon.size()));
        written = writeAll(out.fd, header.data(), header.size()) && writeAll(out.fd, icon.data(), icon.size());
    }
    written = written && copyRange(source.get(), out.fd, afterIcon, size - afterIcon);
    written = written && ::fchmod(out.fd, info.st_mode & 07777) == 0 && ::fsync(out.fd) == 0;
    if (!written) {
        error = systemError("cannot write the new", request.savePath);
        discard(out);
        return false;
    }

    // The result must read back as a product with exactly the intended icon.
    struct stat outInfo = {};
    const productlayout::ParseResult check =
        ::fstat(out.fd, &outInfo) == 0 ? productlayout::parse(productlayout::fileDescriptorReader(out.fd),
                                                              std::uint64_t(outInfo.st_size))
                                        : productlayout::ParseResult{};
    const bool wantIcon = request.action == Action::AddOverwrite;
    if (check.status != productlayout::Status::Ok || check.layout.hasIcon != wantIcon
        || (wantIcon && check.layout.iconLength != icon.size())) {
        error = "the new " + request.savePath + " does not read back as intended";
        discard(out);
        return false;
    }

    if (!publish(out, request.savePath)) {
        error = systemError("cannot replace", request.savePath);
        discard(out);
        return false;
    }
    discard(out);
    if (layout.hasIcon)
        log += "removed icon block of " + std::to_string(layout.iconLength) + " bytes\n";
    if (wantIcon)
        log += "added " + request.resourcePath + " as icon group MAINICON (" + std::to_string(icon.size()) + " bytes)\n";
    log += "saved " + request.savePath + "\n";
    return true;
}

} // namespace reseditor
