#include <QtGlobal>

#ifndef Q_OS_WIN

#include "iconsource.h"
#include "iconreader.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace iconsource {

Result renderFirstIcon(const QString &exePath)
{
    Result result;
    const int fd = ::open(QFile::encodeName(exePath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return result;
    struct stat info = {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        const QImage image = iconreader::renderFirstIcon(productlayout::fileDescriptorReader(fd),
                                                         std::uint64_t(info.st_size));
        if (!image.isNull()) {
            result.status = Status::Rendered;
            result.image = image;
        }
    }
    ::close(fd);
    return result;
}

void notifyIconsChanged()
{
}

} // namespace iconsource

#endif
