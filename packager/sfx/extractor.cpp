#include "extractor.h"
#include "installrecord.h"

#include <archive.h>
#include <archive_entry.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace sfx {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;
const std::string kDamaged = "the archive is damaged: ";

struct Source
{
    const productlayout::Reader *read = nullptr;
    std::uint64_t begin = 0;
    std::uint64_t length = 0;
    std::uint64_t position = 0;
    std::vector<unsigned char> buffer;
};

la_ssize_t readSource(struct archive *a, void *data, const void **out)
{
    auto *source = static_cast<Source *>(data);
    const std::uint64_t left = source->length - source->position;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, source->buffer.size()));
    if (n == 0)
        return 0;
    if (!(*source->read)(source->begin + source->position, source->buffer.data(), n)) {
        archive_set_error(a, EIO, "cannot read the archive");
        return -1;
    }
    source->position += n;
    *out = source->buffer.data();
    return static_cast<la_ssize_t>(n);
}

la_int64_t seekSource(struct archive *, void *data, la_int64_t offset, int whence)
{
    auto *source = static_cast<Source *>(data);
    std::int64_t base = 0;
    if (whence == SEEK_CUR)
        base = static_cast<std::int64_t>(source->position);
    else if (whence == SEEK_END)
        base = static_cast<std::int64_t>(source->length);
    else if (whence != SEEK_SET)
        return ARCHIVE_FATAL;
    if ((offset < 0 && -offset > base) || (offset > 0 && static_cast<std::uint64_t>(offset) > source->length))
        return ARCHIVE_FATAL;
    const std::int64_t target = base + offset;
    if (target < 0 || static_cast<std::uint64_t>(target) > source->length)
        return ARCHIVE_FATAL;
    source->position = static_cast<std::uint64_t>(target);
    return target;
}

la_int64_t skipSource(struct archive *, void *data, la_int64_t request)
{
    auto *source = static_cast<Source *>(data);
    if (request <= 0)
        return 0;
    const std::uint64_t skip = std::min<std::uint64_t>(static_cast<std::uint64_t>(request),
                                                       source->length - source->position);
    source->position += skip;
    return static_cast<la_int64_t>(skip);
}

// The reader takes the start header's fields on trust, so they are checked
// first; empty when they hold.
std::string startHeaderFault(const productlayout::Reader &read, std::uint64_t offset, std::uint64_t length)
{
    switch (productlayout::archiveFault(read, offset, length, false)) {
    case productlayout::ArchiveFault::None:
    case productlayout::ArchiveFault::EndHeaderChecksum:
        break;
    case productlayout::ArchiveFault::CutShort:
        return "its start header is cut short";
    case productlayout::ArchiveFault::NotSevenZip:
        return "not a 7z archive";
    case productlayout::ArchiveFault::StartHeaderChecksum:
        return "its start header does not match its checksum";
    case productlayout::ArchiveFault::EndHeaderOutside:
        return "its end header lies past the end of the product";
    }
    return {};
}

std::vector<std::string> splitPath(const std::string &path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string errnoText(int error)
{
    return std::strerror(error);
}

class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

// Writes the archive's entries below one folder descriptor. Every path is
// walked from that descriptor one component at a time with O_NOFOLLOW, so no
// link, old or new, can lead a write out of the folder.
class Unpacker
{
public:
    Unpacker(struct archive *a, int rootFd, const ExtractOptions &options, Extraction &result)
        : m_archive(a), m_rootFd(rootFd), m_options(options), m_result(result), m_buffer(kBufferSize)
    {
    }

    bool entry(struct archive_entry *e)
    {
        if (stopRequested())
            return false;
        const char *rawName = archive_entry_pathname_utf8(e);
        if (!rawName)
            rawName = archive_entry_pathname(e);
        const std::string name = rawName ? rawName : "";
        if (!name.empty() && name.front() == '/')
            return fail("refused the entry \"" + name + "\": absolute path");
        const std::string relative = safeRelativePath(name, false);
        if (relative.empty())
            return fail("refused the entry \"" + name + "\": it leaves the install folder or names nothing");
        const std::vector<std::string> parts = splitPath(relative);
        const std::vector<std::string> parentParts(parts.begin(), parts.end() - 1);

        if (archive_entry_hardlink(e) || archive_entry_hardlink_utf8(e))
            return fail("refused the entry \"" + relative + "\": hard links are not unpacked");
        // A dry run has no folders to walk, so it keeps the names of the links
        // and files seen so far and refuses a path through one, as unpacking would.
        if (m_options.dryRun) {
            std::string prefix;
            for (const std::string &part : parentParts) {
                prefix += (prefix.empty() ? "" : "/") + part;
                if (m_notFolders.count(prefix) != 0)
                    return fail("refused the entry \"" + relative + "\": its path goes through a link or a file");
            }
        }

        const mode_t type = archive_entry_filetype(e);
        const mode_t mode = archive_entry_perm(e) & 0777;
        if (m_options.inventory && (type == AE_IFDIR || type == AE_IFLNK || type == AE_IFREG))
            note(e, relative, type, mode);
        if (m_options.only && !m_options.dryRun) {
            // Restoring some files: a folder is made only where one is missing.
            struct stat st;
            if (type == AE_IFDIR && ::fstatat(m_rootFd, relative.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                return skipData();
            if (type != AE_IFDIR && m_options.only->count(relative) == 0)
                return m_options.decodeSkipped ? readData(-1, relative) : skipData();
        }
        if (type == AE_IFDIR) {
            if (m_options.dryRun && m_notFolders.count(relative) != 0)
                return fail("refused the entry \"" + relative + "\": its path goes through a link or a file");
            if (!m_options.dryRun) {
                const int fd = openFolder(parts, true, relative);
                if (fd < 0)
                    return false;
                m_folderModes.emplace_back(parts, mode | 0700);
            }
            return skipData();
        }
        if (type == AE_IFLNK) {
            const char *rawTarget = archive_entry_symlink_utf8(e);
            if (!rawTarget)
                rawTarget = archive_entry_symlink(e);
            const std::string target = rawTarget ? rawTarget : "";
            if (!productlayout::linkStaysInside(parentParts.size(), target))
                return fail("refused the link \"" + relative + "\" -> \"" + target + "\": it points outside the install folder");
            m_result.files.insert(relative);
            if (m_options.dryRun) {
                m_notFolders.insert(relative);
                return skipData();
            }
            const int parentFd = openFolder(parentParts, true, relative);
            if (parentFd < 0)
                return false;
            if (!m_options.overwrite && exists(parentFd, parts.back()))
                return skipData();
            const std::string temporary = temporaryName();
            if (::symlinkat(target.c_str(), parentFd, temporary.c_str()) != 0)
                return fail("cannot write \"" + relative + "\": " + errnoText(errno));
            if (::renameat(parentFd, temporary.c_str(), parentFd, parts.back().c_str()) != 0) {
                const int error = errno;
                ::unlinkat(parentFd, temporary.c_str(), 0);
                return fail("cannot write \"" + relative + "\": " + errnoText(error));
            }
            return skipData();
        }
        if (type != AE_IFREG)
            return skipData();

        m_result.files.insert(relative);
        if (m_options.dryRun) {
            m_notFolders.insert(relative);
            return readData(-1, relative);
        }
        const int parentFd = openFolder(parentParts, true, relative);
        if (parentFd < 0)
            return false;
        if (!m_options.overwrite && exists(parentFd, parts.back()))
            return skipData();
        const std::string temporary = temporaryName();
        Fd file(::openat(parentFd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0)
            return fail("cannot write \"" + relative + "\": " + errnoText(errno));
        bool ok = readData(file.get(), relative);
        if (ok && ::fchmod(file.get(), mode) != 0)
            ok = fail("cannot write \"" + relative + "\": " + errnoText(errno));
        if (ok && archive_entry_mtime_is_set(e)) {
            const struct timespec times[2] = {{0, UTIME_OMIT},
                                              {archive_entry_mtime(e), archive_entry_mtime_nsec(e)}};
            ::futimens(file.get(), times);
        }
        if (ok) {
            if (::close(file.release()) != 0)
                ok = fail("cannot write \"" + relative + "\": " + errnoText(errno));
        }
        if (ok && ::renameat(parentFd, temporary.c_str(), parentFd, parts.back().c_str()) != 0)
            ok = fail("cannot write \"" + relative + "\": " + errnoText(errno));
        if (!ok)
            ::unlinkat(parentFd, temporary.c_str(), 0);
        return ok;
    }

    // Folder modes are applied last, so a read-only folder in the archive does
    // not stop its own content from being written.
    bool finish()
    {
        for (const auto &[parts, mode] : m_folderModes) {
            const int fd = openFolder(parts, false, "");
            if (fd >= 0)
                ::fchmod(fd, mode);
        }
        return true;
    }

    bool fail(const std::string &message)
    {
        if (m_result.error.empty())
            m_result.error = message;
        return false;
    }

    // Whether a signal asked to stop; the failure then names it.
    bool stopRequested()
    {
        if (!m_options.stop || *m_options.stop == 0)
            return false;
        m_result.stoppedBy = *m_options.stop;
        m_result.error.clear();
        fail(std::string("stopped by a signal while unpacking (") + ::strsignal(m_result.stoppedBy) + ")");
        return true;
    }

    bool allWritten() const
    {
        return m_options.only && m_result.files.size() >= m_options.only->size();
    }

private:
    void note(struct archive_entry *e, const std::string &relative, mode_t type, mode_t mode)
    {
        StoredEntry stored;
        stored.path = relative;
        stored.type = type == AE_IFDIR ? 'd' : type == AE_IFLNK ? 'l' : '-';
        stored.mode = mode;
        if (type == AE_IFREG && archive_entry_size_is_set(e))
            stored.size = static_cast<std::uint64_t>(archive_entry_size(e));
        if (type == AE_IFLNK) {
            const char *target = archive_entry_symlink_utf8(e);
            if (!target)
                target = archive_entry_symlink(e);
            stored.linkTarget = target ? target : "";
        }
        m_options.inventory->push_back(std::move(stored));
    }

    static bool exists(int parentFd, const std::string &name)
    {
        struct stat st;
        return ::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    }

    std::string temporaryName()
    {
        return ".crateforge-unpack-" + std::to_string(::getpid()) + "-" + std::to_string(++m_counter);
    }

    // The descriptor of the folder `parts` below the root (the root itself for
    // none), created on the way when `create` is set. Owned by the cache.
    int openFolder(const std::vector<std::string> &parts, bool create, const std::string &forEntry)
    {
        if (parts.empty())
            return m_rootFd;
        std::string key;
        for (const std::string &part : parts)
            key += part + '/';
        if (key == m_cachedKey && m_cachedFd.get() >= 0)
            return m_cachedFd.get();
        m_cachedKey.clear();
        m_cachedFd.reset();

        Fd current(::dup(m_rootFd));
        for (const std::string &part : parts) {
            if (create && ::mkdirat(current.get(), part.c_str(), 0700) != 0 && errno != EEXIST) {
                fail("cannot create the folder for \"" + forEntry + "\": " + errnoText(errno));
                return -1;
            }
            const int next = ::openat(current.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (next < 0) {
                if (errno == ELOOP || errno == ENOTDIR)
                    fail("refused the entry \"" + forEntry + "\": its path goes through a link or a file");
                else
                    fail("cannot open the folder for \"" + forEntry + "\": " + errnoText(errno));
                return -1;
            }
            current.reset(next);
        }
        m_cachedKey = key;
        m_cachedFd.reset(::dup(current.get()));
        return m_cachedFd.get();
    }

    bool skipData()
    {
        const int r = archive_read_data_skip(m_archive);
        if (r < ARCHIVE_WARN)
            return fail(std::string(kDamaged) + archiveError());
        return true;
    }

    const char *archiveError() const
    {
        const char *text = archive_error_string(m_archive);
        return text ? text : "unknown error";
    }

    // Copies the entry's data to `fd`, or only reads it when `fd` is negative.
    bool readData(int fd, const std::string &relative)
    {
        for (;;) {
            const la_ssize_t n = archive_read_data(m_archive, m_buffer.data(), m_buffer.size());
            if (n == 0)
                return true;
            if (n < 0)
                return fail(std::string(kDamaged) + archiveError());
            if (stopRequested())
                return false;
            if (fd < 0)
                continue;
            const unsigned char *p = m_buffer.data();
            std::size_t left = static_cast<std::size_t>(n);
            while (left > 0) {
                const ssize_t w = ::write(fd, p, left);
                if (w < 0) {
                    if (errno == EINTR)
                        continue;
                    return fail("cannot write \"" + relative + "\": " + errnoText(errno));
                }
                p += w;
                left -= static_cast<std::size_t>(w);
            }
        }
    }

    struct archive *m_archive;
    int m_rootFd;
    const ExtractOptions &m_options;
    Extraction &m_result;
    std::vector<unsigned char> m_buffer;
    std::vector<std::pair<std::vector<std::string>, mode_t>> m_folderModes;
    std::string m_cachedKey;
    Fd m_cachedFd;
    unsigned m_counter = 0;
    std::set<std::string> m_notFolders; // dry run only
};

// A 7z reader on the source, from its start; null, with the reason, when
// the archive cannot be opened.
struct archive *openArchive(Source &source, std::string &error)
{
    source.position = 0;
    struct archive *a = archive_read_new();
    archive_read_support_format_7zip(a);
    archive_read_set_read_callback(a, readSource);
    archive_read_set_seek_callback(a, seekSource);
    archive_read_set_skip_callback(a, skipSource);
    archive_read_set_callback_data(a, &source);
    if (archive_read_open1(a) != ARCHIVE_OK) {
        const char *text = archive_error_string(a);
        error = std::string(kDamaged) + (text ? text : "not a 7z archive");
        archive_read_free(a);
        return nullptr;
    }
    return a;
}

} // namespace

std::string safeRelativePath(const std::string &path, bool backslashSeparates)
{
    std::string normal = path;
    if (backslashSeparates) {
        for (char &c : normal)
            if (c == '\\')
                c = '/';
    }
    if (normal.empty() || normal.front() == '/')
        return {};
    std::string result;
    for (const std::string &part : splitPath(normal)) {
        if (part == ".")
            continue;
        if (part == "..")
            return {};
        if (!result.empty())
            result += '/';
        result += part;
    }
    return result;
}

Extraction extractArchive(const productlayout::Reader &read, std::uint64_t offset, std::uint64_t length,
                          int installFd, const ExtractOptions &options)
{
    Extraction result;
    if (length == 0) {
        result.error = "the product holds no archive";
        return result;
    }
    if (const std::string fault = startHeaderFault(read, offset, length); !fault.empty()) {
        result.error = kDamaged + fault;
        return result;
    }
    Source source;
    source.read = &read;
    source.begin = offset;
    source.length = length;
    source.buffer.resize(kBufferSize);

    struct archive *a = openArchive(source, result.error);
    if (!a)
        return result;

    Unpacker unpacker(a, installFd, options, result);
    bool ok = true;
    for (;;) {
        struct archive_entry *e = nullptr;
        const int r = archive_read_next_header(a, &e);
        if (r == ARCHIVE_EOF)
            break;
        if (r < ARCHIVE_WARN) {
            const char *text = archive_error_string(a);
            ok = unpacker.fail(std::string(kDamaged) + (text ? text : "unreadable entry"));
            break;
        }
        if (!unpacker.entry(e)) {
            ok = false;
            break;
        }
        if (unpacker.allWritten())
            break;
    }
    // A read or write that the signal cut short fails on its own; the signal
    // is still what stopped it.
    if (!ok && options.stop && *options.stop != 0 && result.stoppedBy == 0)
        unpacker.stopRequested();
    if (ok && !options.dryRun)
        unpacker.finish();
    archive_read_free(a);
    result.ok = ok;
    return result;
}

Extraction checkProduct(const unsigned char *data, std::size_t size)
{
    Extraction result;
    const productlayout::Reader read = productlayout::memoryReader(data, size);
    const productlayout::ParseResult layout = productlayout::parse(read, size);
    if (layout.status != productlayout::Status::Ok) {
        result.error = "no configuration block";
        return result;
    }
    std::string block(static_cast<std::size_t>(layout.layout.configLength), '\0');
    read(layout.layout.configOffset, block.data(), block.size());
    const auto keys = productlayout::parseConfig(block);
    const auto exec = keys.find("ExecuteFile");
    if (exec == keys.end() || safeRelativePath(exec->second, true).empty()) {
        result.error = "no ExecuteFile";
        return result;
    }
    ExtractOptions options;
    options.dryRun = true;
    return extractArchive(read, layout.layout.archiveOffset, size - layout.layout.archiveOffset, -1, options);
}

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;

extern "C" void stopOnSignal(int signal)
{
    g_stopSignal = signal;
}

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// While the product unpacks, these signals only ask it to stop, so that it
// can remove what it was writing; the program then gets the dispositions the
// product was started with.
class StopSignals
{
public:
    StopSignals()
    {
        struct sigaction action = {};
        action.sa_handler = stopOnSignal;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
            ::sigaction(kStopSignals[i], &action, &m_saved[i]);
    }

    // Blocks them first, so that none is caught after the last look at the
    // flag; one that arrives meanwhile stays pending and meets the restored
    // disposition when the mask is restored.
    void restore(const std::string &title)
    {
        sigset_t set, previous;
        sigemptyset(&set);
        for (const int signal : kStopSignals)
            sigaddset(&set, signal);
        ::sigprocmask(SIG_BLOCK, &set, &previous);
        checkpoint(title);
        for (std::size_t i = 0; i < std::size(kStopSignals); ++i)
            ::sigaction(kStopSignals[i], &m_saved[i], nullptr);
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    }

    // Ends the product when a signal asked it to stop.
    static void checkpoint(const std::string &title);

private:
    struct sigaction m_saved[std::size(kStopSignals)];
};

[[noreturn]] void die(const std::string &title, const std::string &message, int code = kCannotUnpack)
{
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    std::fflush(stderr);
    std::_Exit(code);
}

void StopSignals::checkpoint(const std::string &title)
{
    if (const int signal = g_stopSignal; signal != 0)
        die(title, std::string("stopped by a signal (") + ::strsignal(signal) + ")", 128 + signal);
}

std::string ownName()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "self-extractor";
    path[n] = '\0';
    std::string name(path);
    const std::size_t slash = name.rfind('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    return name;
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Why products cannot unpack into `folder` and run from there; empty when
// they can.
std::string unusableBecause(const std::string &folder)
{
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0)
        return errnoText(errno);
    if (!S_ISDIR(st.st_mode))
        return "not a folder";
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return "not writable: " + errnoText(errno);
    struct statvfs fs;
    if (::statvfs(folder.c_str(), &fs) == 0 && (fs.f_flag & ST_NOEXEC) != 0)
        return "mounted noexec";
    return {};
}

// $XDG_CACHE_HOME/crateforge (~/.cache/crateforge when that is not set),
// made private to the user; empty, with the reason, when it cannot be.
std::string cacheFolder(std::string &path, std::string &because)
{
    std::string base;
    if (const char *env = std::getenv("XDG_CACHE_HOME"); env && env[0] == '/') {
        base = env;
    } else {
        // The user database is not consulted: a static program cannot load
        // the system's name services.
        const char *home = std::getenv("HOME");
        if (!home || home[0] != '/') {
            path = "~/.cache/crateforge";
            because = "HOME is not set";
            return {};
        }
        base = withoutTrailingSlashes(home) + "/.cache";
    }
    path = withoutTrailingSlashes(base) + "/crateforge";
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        because = errnoText(errno);
        return {};
    }
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        because = "not a private folder of this user";
        return {};
    }
    because = unusableBecause(path);
    return because.empty() ? path : std::string();
}

// The user's temporary folder, or, where that folder is shared by all users,
// a private folder of ours inside it: nobody else may plant or swap the files
// that the product is about to run. A temporary folder that is missing, not
// writable or mounted noexec gives way to the user's cache folder.
std::string userTemporaryFolder(const std::string &title)
{
    std::string temp;
    if (const char *env = std::getenv("TMPDIR"); env && env[0] == '/')
        temp = env;
    else
        temp = "/tmp";
    temp = withoutTrailingSlashes(temp);

    if (const std::string because = unusableBecause(temp); !because.empty()) {
        std::string cache, cacheBecause;
        if (cacheFolder(cache, cacheBecause).empty())
            die(title, "no folder to unpack into: the temporary folder " + temp + " (" + because + ") nor " + cache + " ("
                           + cacheBecause + ")");
        return cache;
    }
    struct stat st;
    if (::stat(temp.c_str(), &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0)
        return temp;

    const std::string own = temp + "/crateforge-" + std::to_string(::geteuid());
    if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST)
        die(title, "cannot create " + own + ": " + errnoText(errno));
    if (::lstat(own.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)
        die(title, "refused the folder " + own + ": it is not a private folder of this user");
    return own;
}

std::string resolveInstallPath(const std::string &title, const std::string &configured, const std::string &fallbackName)
{
    std::string value = configured.empty() ? "%%T\\" + fallbackName : configured;
    for (char &c : value)
        if (c == '\\')
            c = '/';
    const std::string marker = "%%T";
    std::string temp;
    std::string path;
    std::size_t start = 0;
    for (std::size_t at; (at = value.find(marker, start)) != std::string::npos; start = at + marker.size()) {
        if (temp.empty())
            temp = userTemporaryFolder(title);
        path += value.substr(start, at - start) + temp;
    }
    path += value.substr(start);
    if (path.empty() || path.front() != '/')
        path = userTemporaryFolder(title) + "/" + path;
    for (const std::string &part : splitPath(path))
        if (part == "..")
            die(title, "refused the install folder " + path + ": it climbs out with \"..\"");
    return withoutTrailingSlashes(path);
}

// Whether the program is a regular file of the unpacked folder; it is made
// executable for its owner.
bool programReady(int folderFd, const std::string &program)
{
    struct stat st;
    if (::fstatat(folderFd, program.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & 0100) == 0)
        ::fchmodat(folderFd, program.c_str(), (st.st_mode & 0777) | 0100, 0);
    return true;
}

// Unpacks the archive into a new folder beside the product's folder, makes
// its program executable and renames it into place, replacing an earlier
// folder of the same identity whose files no longer match; then writes the
// record. With Overwrite off, an existing folder is completed in place
// instead, keeping what is there. A failure, or a signal, removes what it wrote.
void unpackProduct(const std::string &title, const productlayout::Reader &read, std::uint64_t archiveOffset,
                   const ProductIdentity &identity, int installFd, bool overwrite, const std::string &program,
                   const std::string &executeFile)
{
    ::unlinkat(installFd, recordName(identity.id).c_str(), 0);
    struct stat existing;
    const bool present = ::fstatat(installFd, identity.id.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    const bool inPlace = !overwrite && present && S_ISDIR(existing.st_mode);
    const std::string target = inPlace ? identity.id : kStagingPrefix + std::to_string(::getpid()) + "-" + identity.id;
    const auto fail = [&](const std::string &message, int code) {
        if (!inPlace)
            removeTree(installFd, target);
        die(title, message, code);
    };
    if (!inPlace && ::mkdirat(installFd, target.c_str(), 0700) != 0)
        die(title, "cannot create a folder in the install folder: " + errnoText(errno));
    const int targetFd = ::openat(installFd, target.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (targetFd < 0)
        fail("cannot open a folder in the install folder: " + errnoText(errno), kCannotUnpack);
    ExtractOptions options;
    options.overwrite = !inPlace;
    options.stop = &g_stopSignal;
    const Extraction extraction = extractArchive(read, archiveOffset, identity.archiveLength, targetFd, options);
    if (!extraction.ok)
        fail(extraction.error, extraction.stoppedBy != 0 ? 128 + extraction.stoppedBy : kCannotUnpack);
    if (extraction.files.count(program) == 0)
        fail("the ExecuteFile \"" + executeFile + "\" is not in the archive", kProgramMissing);
    if (!programReady(targetFd, program))
        fail("the ExecuteFile \"" + executeFile + "\" was not unpacked", kProgramMissing);
    ::close(targetFd);

    if (!inPlace) {
        if (present) {
            // A copy may still run from the folder being replaced: it is
            // moved aside and removed once no copy holds it.
            const std::string retired = kRetiredPrefix + std::to_string(::getpid()) + "-" + identity.id;
            if (::renameat(installFd, identity.id.c_str(), installFd, retired.c_str()) != 0)
                fail("cannot replace the folder " + identity.id + ": " + errnoText(errno), kCannotUnpack);
            const int retiredFd = ::openat(installFd, retired.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            const bool inUse = retiredFd >= 0 && folderInUse(retiredFd);
            if (retiredFd >= 0)
                ::close(retiredFd);
            if (!inUse)
                removeTree(installFd, retired);
        }
        if (::renameat(installFd, target.c_str(), installFd, identity.id.c_str()) != 0)
            fail("cannot move the folder " + identity.id + " into place: " + errnoText(errno), kCannotUnpack);
    }
    writeRecord(installFd, identity, extraction.files);
}

// Puts back, in the product's folder, the files of `wanted` that the record
// found changed or missing, each written beside and renamed into place, and
// leaves everything else, files the program added included, as it is. Only
// the archive's blocks holding them are decoded. False when they could not
// all be restored (a link or a file where a folder was): the caller then
// unpacks the whole product. A signal stops it, leaving the record, which
// still describes every file not yet restored.
bool repairProduct(const std::string &title, const productlayout::Reader &read, std::uint64_t archiveOffset,
                   const ProductIdentity &identity, int installFd, const std::set<std::string> &wanted,
                   const std::set<std::string> &files, const std::string &program)
{
    const int folderFd = ::openat(installFd, identity.id.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return false;
    ExtractOptions options;
    options.only = &wanted;
    options.stop = &g_stopSignal;
    Extraction extraction = extractArchive(read, archiveOffset, identity.archiveLength, folderFd, options);
    if (!extraction.ok && extraction.stoppedBy == 0 && extraction.error.rfind(kDamaged, 0) == 0) {
        options.decodeSkipped = true;
        extraction = extractArchive(read, archiveOffset, identity.archiveLength, folderFd, options);
    }
    if (extraction.stoppedBy != 0)
        die(title, extraction.error, 128 + extraction.stoppedBy);
    const bool repaired = extraction.ok && extraction.files == wanted && programReady(folderFd, program)
        && writeRecord(installFd, identity, files);
    ::close(folderFd);
    return repaired;
}

} // namespace

int runProduct(int argc, char **argv)
{
    std::setlocale(LC_ALL, "C.UTF-8");
    StopSignals stopSignals;
    std::string title = ownName();

    const int self = ::open("/proc/self/exe", O_RDONLY | O_CLOEXEC);
    struct stat selfStat;
    if (self < 0 || ::fstat(self, &selfStat) != 0)
        die(title, "cannot read its own file: " + errnoText(errno));
    const auto size = static_cast<std::uint64_t>(selfStat.st_size);
    const productlayout::Reader read = productlayout::fileDescriptorReader(self);
    const productlayout::ParseResult parsed = productlayout::parse(read, size);
    switch (parsed.status) {
    case productlayout::Status::Ok:
        break;
    case productlayout::Status::NotAModule:
        die(title, "the product is damaged: its module cannot be read");
    case productlayout::Status::BadIconBlock:
        die(title, "the product is damaged: its icon block runs past the end of the file");
    case productlayout::Status::NoConfigBlock:
        die(title, "the product has no configuration block");
    case productlayout::Status::UnterminatedConfig:
        die(title, "the product is damaged: its configuration block has no end marker");
    }
    const productlayout::Layout &layout = parsed.layout;
    std::string block(static_cast<std::size_t>(layout.configLength), '\0');
    if (!read(layout.configOffset, block.data(), block.size()))
        die(title, "cannot read its configuration block");
    const auto keys = productlayout::parseConfig(block);
    const auto key = [&keys](const char *name) {
        const auto it = keys.find(name);
        return it == keys.end() ? std::string() : it->second;
    };
    if (!key("Title").empty())
        title = key("Title");

    const std::string executeFile = key("ExecuteFile");
    if (executeFile.empty())
        die(title, "the configuration block names no ExecuteFile", kProgramMissing);
    const std::string program = safeRelativePath(executeFile, true);
    if (program.empty())
        die(title, "refused the ExecuteFile \"" + executeFile + "\": it is not a path inside the install folder");

    std::string baseName = ownName();
    if (const std::size_t dot = baseName.find('.'); dot != std::string::npos && dot > 0)
        baseName.erase(dot);
    const std::string installPath = resolveInstallPath(title, key("InstallPath"), baseName);

    for (std::size_t slash = installPath.find('/', 1); slash != std::string::npos; slash = installPath.find('/', slash + 1))
        ::mkdir(installPath.substr(0, slash).c_str(), 0700);
    if (::mkdir(installPath.c_str(), 0700) != 0 && errno != EEXIST)
        die(title, "cannot create the install folder " + installPath + ": " + errnoText(errno));
    const int installFd = ::open(installPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (installFd < 0) {
        if (errno == ELOOP || errno == ENOTDIR)
            die(title, "refused the install folder " + installPath + ": it is a link or not a folder");
        die(title, "cannot open the install folder " + installPath + ": " + errnoText(errno));
    }
    struct stat installStat;
    if (::fstat(installFd, &installStat) != 0)
        die(title, "cannot open the install folder " + installPath + ": " + errnoText(errno));
    if (installStat.st_uid != ::geteuid())
        die(title, "refused the install folder " + installPath + ": it belongs to another user");
    if ((installStat.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        die(title, "refused the install folder " + installPath + ": other users can write to it");

    // Copies started at the same time take their turns here: the record is
    // read, the product's folder unpacked or repaired and the record written
    // under this lock, so no copy sees another's half-unpacked files.
    while (::flock(installFd, LOCK_EX) != 0) {
        if (errno != EINTR)
            die(title, "cannot lock the install folder " + installPath + ": " + errnoText(errno));
        StopSignals::checkpoint(title);
    }
    StopSignals::checkpoint(title);
    const ProductIdentity identity = productIdentity(read, layout, size);
    removeUnused(installFd, identity.id);
    const bool overwrite = key("Overwrite") == "1";
    const RecordCheck check = checkRecord(installFd, identity);
    const std::set<std::string> &wanted = overwrite ? check.changed : check.missing;
    if (!check.present
        || (!check.changed.empty()
            && !repairProduct(title, read, layout.archiveOffset, identity, installFd, wanted, check.files, program)))
        unpackProduct(title, read, layout.archiveOffset, identity, installFd, overwrite, program, executeFile);
    ::close(self);

    // The program runs from the product's own folder, in the working
    // directory the product was started in. The folder's descriptor stays
    // open through exec with a shared lock on it, which tells later starts
    // that this folder is in use and must not be removed.
    const int folderFd = ::openat(installFd, identity.id.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (folderFd < 0 || ::flock(folderFd, LOCK_SH) != 0)
        die(title, "cannot open the folder " + installPath + "/" + identity.id + ": " + errnoText(errno));
    ::flock(installFd, LOCK_UN);
    ::close(installFd);

    const std::string programPath = installPath + "/" + identity.id + "/" + program;
    char selfPath[4096];
    const ssize_t n = ::readlink("/proc/self/exe", selfPath, sizeof selfPath - 1);
    if (n > 0) {
        selfPath[n] = '\0';
        ::setenv("CRATEFORGE_PRODUCT", selfPath, 1);
    }
    std::vector<char *> arguments;
    arguments.push_back(const_cast<char *>(programPath.c_str()));
    for (int i = 1; i < argc; ++i)
        arguments.push_back(argv[i]);
    arguments.push_back(nullptr);
    stopSignals.restore(title);
    ::execv(programPath.c_str(), arguments.data());
    const int error = errno;
    die(title, "cannot start " + programPath + ": " + errnoText(error), error == ENOENT ? kProgramMissing : kCannotStart);
}

} // namespace sfx
