// Feeds arbitrary bytes to the JSON reader and the schema.org reader.
#include "fuzzimportcheck.h"
#include "import/lenientjson.h"
#include "import/schemarecipereader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const ImportedRecipe& recipe : SchemaRecipeReader::read(LenientJson::parse(bytes)))
        checkImported(recipe);
    return 0;
}
