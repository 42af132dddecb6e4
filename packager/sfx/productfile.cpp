#include "productfile.h"

#include <sys/stat.h>

namespace sfx {

std::string layoutFault(productlayout::Status status)
{
    switch (status) {
    case productlayout::Status::Ok:
        break;
    case productlayout::Status::NotAModule:
        return "the product is damaged: its module cannot be read";
    case productlayout::Status::BadIconBlock:
        return "the product is damaged: its icon block runs past the end of the file";
    case productlayout::Status::NoConfigBlock:
        return "the product has no configuration block";
    case productlayout::Status::UnterminatedConfig:
        return "the product is damaged: its configuration block has no end marker";
    }
    return {};
}

ProductFile readProductFile(int fd)
{
    ProductFile product;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        product.error = "not a readable file";
        return product;
    }
    product.size = static_cast<std::uint64_t>(st.st_size);
    const productlayout::Reader read = productlayout::fileDescriptorReader(fd);
    const productlayout::ParseResult parsed = productlayout::parse(read, product.size);
    if (parsed.status != productlayout::Status::Ok) {
        product.error = layoutFault(parsed.status);
        return product;
    }
    product.layout = parsed.layout;
    std::string block(static_cast<std::size_t>(product.layout.configLength), '\0');
    if (!read(product.layout.configOffset, block.data(), block.size())) {
        product.error = "cannot read its configuration block";
        return product;
    }
    product.keys = productlayout::parseConfig(block);
    const auto executeFile = product.keys.find("ExecuteFile");
    if (executeFile == product.keys.end() || executeFile->second.empty()) {
        product.error = "the configuration block names no ExecuteFile";
        return product;
    }
    if (safeRelativePath(executeFile->second, true).empty()) {
        product.error = "refused the ExecuteFile \"" + executeFile->second
            + "\": it is not a path inside the install folder";
        return product;
    }
    product.identity = productIdentity(read, product.layout, product.size);
    product.ok = true;
    return product;
}

Extraction inventory(int fd, const ProductFile &product, std::vector<StoredEntry> &entries)
{
    ExtractOptions options;
    options.dryRun = true;
    options.inventory = &entries;
    return extractArchive(productlayout::fileDescriptorReader(fd), product.layout.archiveOffset,
                          product.size - product.layout.archiveOffset, -1, options);
}

Extraction extractInto(int fd, const ProductFile &product, int folderFd)
{
    ExtractOptions options;
    options.overwrite = true;
    return extractArchive(productlayout::fileDescriptorReader(fd), product.layout.archiveOffset,
                          product.size - product.layout.archiveOffset, folderFd, options);
}

} // namespace sfx
