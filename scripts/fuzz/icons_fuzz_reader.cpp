// libFuzzer entry for the icon readers: the input is taken as a whole file
// (PE executable, product or ICO file) and as a single icon image.
#include "iconreader.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto read = productlayout::memoryReader(data, size);
    iconreader::renderFirstIcon(read, size);
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    iconreader::renderIco(bytes);
    iconreader::decodeIconImage(bytes);
    return 0;
}
