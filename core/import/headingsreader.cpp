#include "import/headingsreader.h"

#include "import/importtext.h"
#include "import/sectionnames.h"

#include <QSet>

namespace {

bool isHeading(const QString& name)
{
    return name.size() == 2 && name.at(0) == QLatin1Char('h') && name.at(1) >= QLatin1Char('1') &&
           name.at(1) <= QLatin1Char('6');
}

bool isSkipped(const QString& name)
{
    static const QSet<QString> skipped = {QStringLiteral("script"),   QStringLiteral("style"),
                                          QStringLiteral("noscript"), QStringLiteral("template"),
                                          QStringLiteral("nav"),      QStringLiteral("footer")};
    return skipped.contains(name);
}

} // namespace

QList<HeadingsReader::Block> HeadingsReader::blocks(HtmlTree::Node* root)
{
    QList<Block> out;
    QList<HtmlTree::Node*> pending = HtmlTree::children(root);
    std::reverse(pending.begin(), pending.end());
    // A stack instead of recursion: the page decides how deep it nests.
    while (!pending.isEmpty()) {
        HtmlTree::Node* node = pending.takeLast();
        const QString name = HtmlTree::name(node);
        if (isSkipped(name))
            continue;
        const bool heading = isHeading(name) || name == QLatin1String("dt");
        if (heading || name == QLatin1String("li") || name == QLatin1String("p")) {
            const QString text = ImportText::line(HtmlTree::readableText(node));
            if (!text.isEmpty()) {
                const Kind kind =
                    heading ? Kind::Heading
                            : (name == QLatin1String("li") ? Kind::Item : Kind::Paragraph);
                const int level = isHeading(name) ? name.at(1).digitValue() : 7;
                const QStringList lines = kind == Kind::Item
                                              ? ImportText::lines(HtmlTree::fieldsText(node))
                                              : QStringList{};
                out.append({kind, text, lines, level});
            }
            continue;
        }
        QList<HtmlTree::Node*> children = HtmlTree::children(node);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.append(*it);
    }
    return out;
}

ImportedRecipe HeadingsReader::read(HtmlTree::Node* root, const QString& title)
{
    enum class Section { None, Ingredients, Directions };
    ImportedRecipe recipe;
    Section section = Section::None;
    int sectionLevel = 0;
    QString subsection;
    for (const Block& block : blocks(root)) {
        if (block.kind == Kind::Heading) {
            if (SectionNames::isIngredients(block.text)) {
                section = Section::Ingredients;
                sectionLevel = block.level;
                subsection.clear();
            } else if (SectionNames::isDirections(block.text)) {
                section = Section::Directions;
                sectionLevel = block.level;
                subsection.clear();
            } else if (section != Section::None && block.level > sectionLevel) {
                // A lower heading inside the section ("For the sauce") names a
                // part of it; a heading as high as the section's ends it.
                subsection = block.text;
                if (section == Section::Ingredients)
                    recipe.ingredients.append(subsection.endsWith(QLatin1Char(':'))
                                                  ? subsection
                                                  : subsection + QLatin1Char(':'));
            } else {
                section = Section::None;
            }
            continue;
        }
        if (section == Section::Ingredients && block.kind == Kind::Item) {
            for (const QString& line : block.lines)
                recipe.ingredients.append(ImportText::ingredient(line));
        } else if (section == Section::Directions)
            recipe.steps.append({subsection, block.text});
    }
    if (!recipe.ingredients.isEmpty())
        recipe.title = title;
    return recipe;
}
