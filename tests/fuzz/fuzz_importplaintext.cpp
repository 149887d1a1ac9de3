// Feeds arbitrary text to the reader of recipes written by a person.
#include "fuzzimportcheck.h"
#include "import/plaintextreader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const ImportedRecipe recipe = PlainTextReader::read(text);
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    return 0;
}
