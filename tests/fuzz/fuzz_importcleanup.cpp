// Feeds arbitrary text to the clean-up of imported recipes: the first line
// is the title, the second the site's name, lines that begin with a blank
// are steps (numbered inline or not), the others ingredient lines or groups.
#include "fuzzimportcheck.h"
#include "import/importcleanup.h"
#include "import/importtext.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines = text.split(QLatin1Char('\n'));
    ImportedRecipe recipe;
    recipe.title = ImportText::line(lines.takeFirst());
    const QString site = lines.isEmpty() ? QString() : lines.takeFirst();
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char(' ')))
            recipe.steps.append({QString(), ImportText::line(line)});
        else
            recipe.ingredients.append(ImportText::ingredient(line));
        recipe.tags.append(line.left(50));
    }
    ImportCleanup::tidy(recipe, {site});
    for (const ImportedRecipe::Heading& heading : recipe.ingredientHeadings) {
        if (heading.before < 0 || heading.before >= recipe.ingredients.size())
            std::abort();
    }
    for (const ImportedStep& step : recipe.steps) {
        if (step.text.trimmed().isEmpty())
            std::abort();
    }
    if (!recipe.title.isEmpty())
        checkImported(recipe);
    return 0;
}
