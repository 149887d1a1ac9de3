// Feeds arbitrary bytes to the reader of the recipe plugins' markup.
#include "fuzzimportcheck.h"
#include "import/importcleanup.h"
#include "import/pluginrecipereader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const HtmlTree tree(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    ImportedRecipe recipe = PluginRecipeReader::read(tree.root(), QStringLiteral("Page"));
    ImportCleanup::tidy(recipe, {QStringLiteral("Site")});
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    return 0;
}
