// Feeds arbitrary bytes to the page reader: JSON-LD, microdata, headings.
#include "fuzzimportcheck.h"
#include "import/htmlrecipereader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const ImportedRecipe& recipe : HtmlRecipeReader::read(bytes))
        checkImported(recipe);
    return 0;
}
