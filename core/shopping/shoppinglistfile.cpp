#include "shopping/shoppinglistfile.h"

#include "files/listfiletext.h"
#include "files/recipelink.h"
#include "quantity/amount.h"
#include "recipe/recipefile.h"

#include <QRegularExpression>

namespace {

const QString recipesTitle = QStringLiteral("Recipes");
const QString rowsTitle = QStringLiteral("To buy");

// "## To buy", with or without closing hashes; the level and the title.
bool readHeading(const QString& line, int* level, QString* title)
{
    static const QRegularExpression pattern(QStringLiteral("^ {0,3}(#{1,6})(?:\\s+(.*?))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    *level = int(match.capturedLength(1));
    QString text = match.captured(2);
    static const QRegularExpression closing(QStringLiteral("\\s+#+$"));
    text.remove(closing);
    *title = text.trimmed();
    return true;
}

struct RecipeLine
{
    QString title;
    QString link;
    QString amount;
};

bool readRecipeLine(const QString& line, RecipeLine* recipe)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*[-*+]\\s+\\[(.*)\\]\\(\\s*(<[^>]*>|[^)]+?)\\s*\\)\\s*(.*)$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    QString link = match.captured(2);
    if (link.startsWith(QLatin1Char('<')))
        link = link.mid(1, link.size() - 2);
    if (!RecipeLink::namesRecipe(link))
        return false;
    recipe->title = RecipeLink::unescapedTitle(match.captured(1));
    recipe->link = link;
    recipe->amount = match.captured(3).trimmed();
    return true;
}

bool readRow(const QString& line, ShoppingFileRow* row)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*[-*+]\\s+(.*?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    QString text = match.captured(1);
    bool ticked = false;
    static const QRegularExpression box(QStringLiteral("^\\[([ xX])\\](?:\\s+|$)"));
    const QRegularExpressionMatch boxMatch = box.match(text);
    if (boxMatch.hasMatch()) {
        ticked = boxMatch.captured(1) != QStringLiteral(" ");
        text = text.mid(boxMatch.capturedLength()).trimmed();
    }
    if (text.isEmpty())
        return false;
    row->text = text;
    row->ticked = ticked;
    return true;
}

void readAmount(const QString& text, ShoppingFileRecipe* recipe)
{
    static const QRegularExpression servings(
        QStringLiteral("^(\\d{1,3})\\s*(?:servings?|portions?)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = servings.match(text);
    if (match.hasMatch()) {
        recipe->servings = match.captured(1).toInt();
        return;
    }
    static const QRegularExpression factor(QStringLiteral("^[×xX*]\\s*(.+)$"));
    const QRegularExpressionMatch factorMatch = factor.match(text);
    if (!factorMatch.hasMatch())
        return;
    recipe->factorHalves = ListFileText::halvesOf(factorMatch.captured(1));
}

void appendBlock(QStringList* out, const QStringList& block)
{
    if (block.isEmpty())
        return;
    out->append(QString());
    out->append(block);
}

} // namespace

ShoppingListFile ShoppingListFile::parse(const QString& text, const QString& folder)
{
    ShoppingListFile file;
    file.m_lines = ListFileText::lines(text, &file.m_crlf);

    Section section = Section::None;
    for (int i = 0; i < file.m_lines.size(); ++i) {
        const QString& line = file.m_lines.at(i);
        int level = 0;
        QString title;
        if (readHeading(line, &level, &title)) {
            section = Section::None;
            if (level < 2)
                continue;
            if (file.m_recipesHeading < 0 &&
                title.compare(recipesTitle, Qt::CaseInsensitive) == 0) {
                file.m_recipesHeading = i;
                section = Section::Recipes;
            } else if (file.m_rowsHeading < 0 &&
                       title.compare(rowsTitle, Qt::CaseInsensitive) == 0) {
                file.m_rowsHeading = i;
                section = Section::Rows;
            }
            continue;
        }
        if (section == Section::Recipes) {
            RecipeLine recipeLine;
            if (!readRecipeLine(line, &recipeLine))
                continue;
            ShoppingFileRecipe recipe;
            recipe.path = pathOf(folder, recipeLine.link);
            recipe.title = recipeLine.title;
            readAmount(recipeLine.amount, &recipe);
            file.recipes.append(recipe);
        } else if (section == Section::Rows) {
            ShoppingFileRow row;
            if (readRow(line, &row))
                file.rows.append(row);
        }
    }
    return file;
}

int ShoppingListFile::sectionEnd(int heading) const
{
    for (int i = heading + 1; i < m_lines.size(); ++i) {
        int level = 0;
        QString title;
        if (readHeading(m_lines.at(i), &level, &title))
            return i;
    }
    return int(m_lines.size());
}

bool ShoppingListFile::isItem(int line, Section section) const
{
    if (section == Section::Recipes) {
        RecipeLine recipe;
        return readRecipeLine(m_lines.at(line), &recipe);
    }
    ShoppingFileRow row;
    return readRow(m_lines.at(line), &row);
}

QStringList ShoppingListFile::generatedLines(Section section, const QString& folder) const
{
    QStringList lines;
    if (section == Section::Recipes) {
        for (const ShoppingFileRecipe& recipe : recipes) {
            QString line =
                QStringLiteral("- [%1](%2)")
                    .arg(RecipeLink::escapedTitle(recipe.title), linkTo(folder, recipe.path));
            const QString amount = amountText(recipe);
            if (!amount.isEmpty())
                line += QLatin1Char(' ') + amount;
            lines.append(line);
        }
        return lines;
    }
    for (const ShoppingFileRow& row : rows)
        lines.append((row.ticked ? QStringLiteral("- [x] ") : QStringLiteral("- [ ] ")) +
                     row.text.simplified());
    return lines;
}

// The heading, the lines before its first list item, the list, then the
// section's other lines, each block set apart by one blank line.
QStringList ShoppingListFile::sectionLines(int heading, Section section,
                                           const QString& folder) const
{
    const int end = sectionEnd(heading);
    QStringList before;
    QStringList after;
    bool listSeen = false;
    for (int i = heading + 1; i < end; ++i) {
        if (isItem(i, section)) {
            listSeen = true;
            continue;
        }
        (listSeen ? after : before).append(m_lines.at(i));
    }
    ListFileText::trimBlankLines(&before);
    ListFileText::trimBlankLines(&after);
    QStringList out{m_lines.at(heading)};
    appendBlock(&out, before);
    appendBlock(&out, generatedLines(section, folder));
    appendBlock(&out, after);
    return out;
}

QString ShoppingListFile::toText(const QString& folder) const
{
    QStringList out;
    if (m_lines.isEmpty())
        out.append(QStringLiteral("# Shopping list"));
    const auto newSection = [&](const QString& title, Section section) {
        QStringList lines{QStringLiteral("## ") + title};
        appendBlock(&lines, generatedLines(section, folder));
        return lines;
    };
    const bool emptyFile = m_lines.isEmpty();
    const auto wanted = [&](Section section) {
        return emptyFile || !generatedLines(section, folder).isEmpty();
    };
    for (int i = 0; i < m_lines.size();) {
        if (i == m_recipesHeading || i == m_rowsHeading) {
            const Section section = i == m_recipesHeading ? Section::Recipes : Section::Rows;
            // Recipes come before the rows where the file has only the rows.
            if (section == Section::Rows && m_recipesHeading < 0 && wanted(Section::Recipes)) {
                out.append(newSection(recipesTitle, Section::Recipes));
                out.append(QString());
            }
            out.append(sectionLines(i, section, folder));
            i = sectionEnd(i);
            if (i < m_lines.size())
                out.append(QString());
            continue;
        }
        out.append(m_lines.at(i));
        ++i;
    }
    const auto appendSection = [&](const QString& title, Section section) {
        ListFileText::trimBlankLines(&out);
        appendBlock(&out, newSection(title, section));
    };
    if (m_recipesHeading < 0 && m_rowsHeading < 0 && wanted(Section::Recipes))
        appendSection(recipesTitle, Section::Recipes);
    if (m_rowsHeading < 0 && wanted(Section::Rows))
        appendSection(rowsTitle, Section::Rows);
    const QString lineEnd = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return out.join(lineEnd) + lineEnd;
}

QString ShoppingListFile::linkTo(const QString& folder, const QString& path)
{
    return RecipeLink::linkTo(folder, path);
}

QString ShoppingListFile::pathOf(const QString& folder, const QString& link)
{
    return RecipeLink::pathOf(folder, link);
}

QString ShoppingListFile::amountText(const ShoppingFileRecipe& recipe)
{
    if (recipe.servings > 0)
        return recipe.servings == 1 ? QStringLiteral("1 serving")
                                    : QStringLiteral("%1 servings").arg(recipe.servings);
    if (recipe.factorHalves > 0)
        return ListFileText::factorText(recipe.factorHalves);
    return QString();
}
