// libFuzzer entry for the self-extractor: the input is taken as a whole
// product (module, optional icon block, configuration block, 7z archive) and
// checked in memory as a dry run, as a product would be before it unpacks.
#include "extractor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const sfx::Extraction result = sfx::checkProduct(data, size);
    // A failure always says why, a success never carries an error, and every
    // name it would unpack stays inside the install folder.
    if (result.ok != result.error.empty())
        std::abort();
    for (const std::string &name : result.files) {
        if (sfx::safeRelativePath(name, false) != name)
            std::abort();
    }
    return 0;
}
