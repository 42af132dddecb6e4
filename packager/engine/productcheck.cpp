#include "productcheck.h"

#include "productlayout.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <vector>

namespace productcheck {

namespace {

std::uint32_t crc32(const unsigned char *p, std::size_t n, std::uint32_t crc = 0xffffffffu)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit)
                c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
            t[i] = c;
        }
        return t;
    }();
    for (std::size_t i = 0; i < n; ++i)
        crc = table[(crc ^ p[i]) & 0xffu] ^ (crc >> 8);
    return crc;
}

std::uint32_t readLe32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint64_t readLe64(const unsigned char *p)
{
    return std::uint64_t(readLe32(p)) | std::uint64_t(readLe32(p + 4)) << 32;
}

QString archiveFault(const productlayout::Reader &read, std::uint64_t offset, std::uint64_t length)
{
    unsigned char header[32];
    if (length < sizeof header || !read(offset, header, sizeof header))
        return QCoreApplication::translate("Worker", "配置块之后没有7z压缩包");
    if (std::memcmp(header, "7z\xbc\xaf\x27\x1c", 6) != 0)
        return QCoreApplication::translate("Worker", "配置块之后不是7z压缩包");
    if (crc32(header + 12, 20) ^ 0xffffffffu ^ readLe32(header + 8))
        return QCoreApplication::translate("Worker", "压缩包起始头与其校验和不符");
    const std::uint64_t endOffset = readLe64(header + 12);
    const std::uint64_t endSize = readLe64(header + 20);
    const std::uint64_t room = length - sizeof header;
    if (endOffset > room || endSize > room - endOffset || endSize == 0)
        return QCoreApplication::translate("Worker", "压缩包不完整");
    std::uint32_t crc = 0xffffffffu;
    std::vector<unsigned char> buffer(65536);
    for (std::uint64_t done = 0; done < endSize;) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(buffer.size(), endSize - done));
        if (!read(offset + sizeof header + endOffset + done, buffer.data(), n))
            return QCoreApplication::translate("Worker", "压缩包不完整");
        crc = crc32(buffer.data(), n, crc);
        done += n;
    }
    if ((crc ^ 0xffffffffu) != readLe32(header + 28))
        return QCoreApplication::translate("Worker", "压缩包结尾头与其校验和不符");
    return {};
}

} // namespace

QString productFault(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    struct stat st;
    QString fault;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fault = QCoreApplication::translate("Worker", "不是普通文件");
    } else {
        const productlayout::Reader read = productlayout::fileDescriptorReader(fd);
        const productlayout::ParseResult parsed = productlayout::parse(read, std::uint64_t(st.st_size));
        switch (parsed.status) {
        case productlayout::Status::Ok:
            fault = archiveFault(read, parsed.layout.archiveOffset,
                                 std::uint64_t(st.st_size) - parsed.layout.archiveOffset);
            break;
        case productlayout::Status::NotAModule:
            fault = QCoreApplication::translate("Worker", "开头没有自解压模块");
            break;
        case productlayout::Status::BadIconBlock:
            fault = QCoreApplication::translate("Worker", "图标块已损坏");
            break;
        case productlayout::Status::NoConfigBlock:
        case productlayout::Status::UnterminatedConfig:
            fault = QCoreApplication::translate("Worker", "模块之后没有配置块");
            break;
        }
    }
    ::close(fd);
    return fault;
}

} // namespace productcheck
