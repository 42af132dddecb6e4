#include "installrecord.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace sfx {

namespace {

constexpr const char *kRecordPrefix = ".crateforge-record-";
constexpr const char *kRecordHeader = "crateforge-record 1";
constexpr std::uint64_t kMaxHashedHeader = 64ull << 20;
constexpr std::size_t kMaxRecordLength = 256u << 20;

class Digest
{
public:
    void add(const void *data, std::size_t length)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        for (std::size_t i = 0; i < length; ++i) {
            m_value ^= p[i];
            m_value *= 0x100000001b3ull;
        }
    }
    std::string hex() const
    {
        static const char digits[] = "0123456789abcdef";
        std::string text(16, '0');
        for (int i = 0; i < 16; ++i)
            text[std::size_t(i)] = digits[(m_value >> (60 - 4 * i)) & 0xf];
        return text;
    }

private:
    std::uint64_t m_value = 0xcbf29ce484222325ull;
};

std::uint64_t le64(const unsigned char *p)
{
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

bool isIdentityName(const std::string &name)
{
    if (name.size() != 16)
        return false;
    for (const char c : name) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

bool startsWith(const std::string &text, const char *prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

bool readAll(int fd, std::string &out)
{
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (out.size() + std::size_t(n) > kMaxRecordLength)
            return false;
        out.append(buffer, std::size_t(n));
    }
}

bool writeAll(int fd, const std::string &text)
{
    const char *p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= std::size_t(n);
    }
    return true;
}

std::string fileLine(char type, const struct stat &st, const std::string &path)
{
    return std::string(1, type) + ' ' + std::to_string(st.st_size) + ' ' + std::to_string(st.st_ino) + ' '
        + std::to_string(st.st_ctim.tv_sec) + ' ' + std::to_string(st.st_ctim.tv_nsec) + ' ' + path + '\n';
}

char typeOf(const struct stat &st)
{
    return S_ISREG(st.st_mode) ? 'f' : S_ISLNK(st.st_mode) ? 'l' : '?';
}

std::vector<std::string> entryNames(int folderFd)
{
    std::vector<std::string> names;
    const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const struct dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace

ProductIdentity productIdentity(const productlayout::Reader &read, const productlayout::Layout &layout,
                                std::uint64_t productSize)
{
    ProductIdentity identity;
    identity.archiveLength = productSize - layout.archiveOffset;
    Digest digest;
    digest.add(&identity.archiveLength, sizeof identity.archiveLength);
    std::string block(static_cast<std::size_t>(layout.configLength), '\0');
    if (read(layout.configOffset, block.data(), block.size()))
        digest.add(block.data(), block.size());
    // The start header holds the checksum of the end header, which holds
    // those of the packed streams and files; both go into the digest.
    unsigned char header[32];
    if (identity.archiveLength >= sizeof header && read(layout.archiveOffset, header, sizeof header)) {
        digest.add(header, sizeof header);
        const std::uint64_t endOffset = le64(header + 12);
        const std::uint64_t endSize = le64(header + 20);
        const std::uint64_t room = identity.archiveLength - sizeof header;
        if (endOffset <= room && endSize <= room - endOffset && endSize <= kMaxHashedHeader) {
            std::vector<unsigned char> chunk(65536);
            for (std::uint64_t done = 0; done < endSize;) {
                const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(chunk.size(), endSize - done));
                if (!read(layout.archiveOffset + sizeof header + endOffset + done, chunk.data(), n))
                    break;
                digest.add(chunk.data(), n);
                done += n;
            }
        }
    }
    identity.id = digest.hex();
    return identity;
}

std::string recordName(const std::string &id)
{
    return kRecordPrefix + id;
}

RecordCheck checkRecord(int installFd, const ProductIdentity &identity)
{
    RecordCheck check;
    const int recordFd = ::openat(installFd, recordName(identity.id).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (recordFd < 0)
        return check;
    std::string text;
    const bool read = readAll(recordFd, text);
    ::close(recordFd);
    const std::string head = std::string(kRecordHeader) + "\narchive " + std::to_string(identity.archiveLength) + ' '
        + identity.id + '\n';
    if (!read || text.compare(0, head.size(), head) != 0 || text.size() < head.size() + 4
        || text.compare(text.size() - 4, 4, "end\n") != 0)
        return check;
    const int folderFd = ::openat(installFd, identity.id.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return check;
    bool wellFormed = true;
    const std::size_t end = text.size() - 4;
    for (std::size_t at = head.size(); at < end;) {
        const std::size_t lineEnd = text.find('\n', at);
        const std::string line = text.substr(at, lineEnd - at);
        at = lineEnd + 1;
        // "<type> <size> <inode> <ctime s> <ctime ns> <path>": the path is
        // what follows the fifth space.
        std::size_t pathAt = 0;
        for (int spaces = 0; spaces < 5 && pathAt != std::string::npos; ++spaces) {
            pathAt = line.find(' ', pathAt);
            if (pathAt != std::string::npos)
                ++pathAt;
        }
        if (lineEnd == std::string::npos || pathAt == std::string::npos || pathAt >= line.size()) {
            wellFormed = false;
            break;
        }
        const std::string path = line.substr(pathAt);
        check.files.insert(path);
        struct stat st;
        if (::fstatat(folderFd, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            check.changed.insert(path);
            if (errno == ENOENT)
                check.missing.insert(path);
        } else if (fileLine(typeOf(st), st, path) != line + '\n') {
            check.changed.insert(path);
        }
    }
    ::close(folderFd);
    check.present = wellFormed && !check.files.empty();
    return check;
}

bool recordMatches(int installFd, const ProductIdentity &identity)
{
    const RecordCheck check = checkRecord(installFd, identity);
    return check.present && check.changed.empty();
}

bool writeRecord(int installFd, const ProductIdentity &identity, const std::set<std::string> &files)
{
    const int folderFd = ::openat(installFd, identity.id.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    std::string text = std::string(kRecordHeader) + "\narchive " + std::to_string(identity.archiveLength) + ' '
        + identity.id + '\n';
    bool ok = !files.empty();
    for (const std::string &path : files) {
        struct stat st;
        if (path.find('\n') != std::string::npos || ::fstatat(folderFd, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0
            || typeOf(st) == '?') {
            ok = false;
            break;
        }
        text += fileLine(typeOf(st), st, path);
    }
    ::close(folderFd);
    if (!ok)
        return false;
    text += "end\n";
    const std::string temporary = kStagingPrefix + std::to_string(::getpid()) + "-record";
    const int fd = ::openat(installFd, temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ok = writeAll(fd, text);
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::renameat(installFd, temporary.c_str(), installFd, recordName(identity.id).c_str()) == 0;
    if (!ok)
        ::unlinkat(installFd, temporary.c_str(), 0);
    return ok;
}

void removeTree(int parentFd, const std::string &name)
{
    struct stat st;
    if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ::unlinkat(parentFd, name.c_str(), 0);
        return;
    }
    const int fd = ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fchmod(fd, 0700);
    for (const std::string &child : entryNames(fd))
        removeTree(fd, child);
    ::close(fd);
    ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
}

bool folderInUse(int folderFd)
{
    if (::flock(folderFd, LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK;
    ::flock(folderFd, LOCK_UN);
    return false;
}

void removeUnused(int installFd, const std::string &keepId)
{
    const std::vector<std::string> names = entryNames(installFd);
    for (const std::string &name : names) {
        if (startsWith(name, kStagingPrefix)) {
            // Nobody unpacks without the install folder's lock, which the
            // caller holds: this is what an unpacking cut short left.
            removeTree(installFd, name);
            continue;
        }
        // A product's folder is known by its name and its record; anything
        // else in the install folder is not ours to remove.
        struct stat st;
        const bool identity = isIdentityName(name) && name != keepId
            && ::fstatat(installFd, recordName(name).c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (!identity && !startsWith(name, kRetiredPrefix))
            continue;
        const int fd = ::openat(installFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        const bool inUse = folderInUse(fd);
        ::close(fd);
        if (inUse)
            continue;
        if (identity)
            ::unlinkat(installFd, recordName(name).c_str(), 0);
        removeTree(installFd, name);
    }
    // Records whose folder is gone.
    for (const std::string &name : names) {
        if (!startsWith(name, kRecordPrefix))
            continue;
        const std::string id = name.substr(std::strlen(kRecordPrefix));
        struct stat st;
        if (id != keepId && ::fstatat(installFd, id.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            ::unlinkat(installFd, name.c_str(), 0);
    }
}

} // namespace sfx
