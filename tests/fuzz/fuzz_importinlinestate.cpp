// Feeds arbitrary bytes to the reader of recipes in a script framework's
// JSON state, as a script's content and as a page holding that script.
#include "fuzzimportcheck.h"
#include "import/importcleanup.h"
#include "import/inlinestatereader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ImportedRecipe recipe = InlineStateReader::fromJson(bytes);
    ImportCleanup::tidy(recipe);
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    const HtmlTree page("<html><body><script>window.__NUXT__=" + bytes + "</script></body></html>");
    recipe = InlineStateReader::read(page.root());
    ImportCleanup::tidy(recipe);
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    return 0;
}
