#include "productcheck.h"

#include "productlayout.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace productcheck {

namespace {

QString archiveFault(const productlayout::Reader &read, std::uint64_t offset, std::uint64_t length)
{
    switch (productlayout::archiveFault(read, offset, length, true)) {
    case productlayout::ArchiveFault::None:
        break;
    case productlayout::ArchiveFault::CutShort:
        return QCoreApplication::translate("Worker", "配置块之后没有7z压缩包");
    case productlayout::ArchiveFault::NotSevenZip:
        return QCoreApplication::translate("Worker", "配置块之后不是7z压缩包");
    case productlayout::ArchiveFault::StartHeaderChecksum:
        return QCoreApplication::translate("Worker", "压缩包起始头与其校验和不符");
    case productlayout::ArchiveFault::EndHeaderOutside:
        return QCoreApplication::translate("Worker", "压缩包不完整");
    case productlayout::ArchiveFault::EndHeaderChecksum:
        return QCoreApplication::translate("Worker", "压缩包结尾头与其校验和不符");
    }
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
