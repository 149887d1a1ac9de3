// Feeds arbitrary text to the Cooklang reader.
#include "fuzzimportcheck.h"
#include "import/cooklangreader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const ImportedRecipe recipe = CooklangReader::read(text, QStringLiteral("Fuzz"));
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    return 0;
}
