#include "examinecommand.h"

#include "productfile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char *kUsage =
    "usage: crateforge list PRODUCT\n"
    "       crateforge check PRODUCT\n"
    "       crateforge extract PRODUCT FOLDER\n"
    "       crateforge info PRODUCT\n";

int usage(const std::string &why)
{
    std::fprintf(stderr, "crateforge: %s\n%s", why.c_str(), kUsage);
    return 2;
}

int problem(const std::string &product, const std::string &what)
{
    std::fprintf(stderr, "crateforge: %s: %s\n", product.c_str(), what.c_str());
    return 1;
}

std::string modeText(const sfx::StoredEntry &entry)
{
    std::string text(1, entry.type);
    const char *letters = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += (entry.mode & (0400u >> bit)) ? letters[bit] : '-';
    return text;
}

class OpenProduct
{
public:
    explicit OpenProduct(const std::string &path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~OpenProduct()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenProduct(const OpenProduct &) = delete;
    OpenProduct &operator=(const OpenProduct &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

int list(int fd, const sfx::ProductFile &product, const std::string &path)
{
    std::vector<sfx::StoredEntry> entries;
    const sfx::Extraction result = sfx::inventory(fd, product, entries);
    if (!result.ok)
        return problem(path, result.error);
    for (const sfx::StoredEntry &entry : entries) {
        std::printf("%s %12" PRIu64 " %s%s%s\n", modeText(entry).c_str(), entry.size, entry.path.c_str(),
                    entry.type == 'l' ? " -> " : "", entry.linkTarget.c_str());
    }
    return 0;
}

int check(int fd, const sfx::ProductFile &product, const std::string &path)
{
    std::vector<sfx::StoredEntry> entries;
    const sfx::Extraction result = sfx::inventory(fd, product, entries);
    if (!result.ok)
        return problem(path, result.error);
    std::uint64_t bytes = 0;
    for (const sfx::StoredEntry &entry : entries)
        bytes += entry.size;
    std::printf("%s: ok, %zu entries, %" PRIu64 " bytes\n", path.c_str(), entries.size(), bytes);
    return 0;
}

int extract(int fd, const sfx::ProductFile &product, const std::string &path, const std::string &folder)
{
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        return problem(path, "cannot create the folder " + folder + ": " + std::strerror(errno));
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return problem(path, "cannot open the folder " + folder + ": " + std::strerror(errno));
    const sfx::Extraction result = sfx::extractInto(fd, product, folderFd);
    ::close(folderFd);
    return result.ok ? 0 : problem(path, result.error);
}

int info(const sfx::ProductFile &product)
{
    const auto key = [&product](const char *name) {
        const auto it = product.keys.find(name);
        return it == product.keys.end() ? std::string() : it->second;
    };
    std::printf("Title: %s\nExecuteFile: %s\nIdentity: %s\nArchive: %" PRIu64 " bytes\nIcon: %s\n",
                key("Title").c_str(), key("ExecuteFile").c_str(), product.identity.id.c_str(),
                product.identity.archiveLength, product.layout.hasIcon ? "yes" : "no");
    return 0;
}

} // namespace

bool isExamineCommand(const char *word)
{
    for (const char *command : {"list", "check", "extract", "info"}) {
        if (std::strcmp(word, command) == 0)
            return true;
    }
    return false;
}

int runExamineCommand(int argc, char **argv)
{
    const std::string command = argv[1];
    const int wanted = command == "extract" ? 4 : 3;
    if (argc != wanted)
        return usage(command + ": " + (argc < wanted ? "missing arguments" : "too many arguments"));
    const std::string path = argv[2];
    const OpenProduct file(path);
    if (file.fd() < 0)
        return problem(path, std::strerror(errno));
    const sfx::ProductFile product = sfx::readProductFile(file.fd());
    if (!product.ok)
        return problem(path, product.error);
    if (command == "list")
        return list(file.fd(), product, path);
    if (command == "check")
        return check(file.fd(), product, path);
    if (command == "extract")
        return extract(file.fd(), product, path, argv[3]);
    return info(product);
}
