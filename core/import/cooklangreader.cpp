#include "import/cooklangreader.h"

#include "import/durationtext.h"
#include "import/importtext.h"

namespace {

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.category() == QChar::Mark_NonSpacing;
}

// "500%g" → "500 g"; "3" → "3"; "" → "".
QString quantityWords(const QString& inside)
{
    const qsizetype percent = inside.indexOf(QLatin1Char('%'));
    if (percent < 0)
        return inside.simplified();
    return (inside.left(percent).simplified() + QLatin1Char(' ') +
            inside.mid(percent + 1).simplified())
        .trimmed();
}

bool isSectionLine(const QString& line)
{
    return line.startsWith(QLatin1Char('=')) && !line.startsWith(QLatin1String("=>"));
}

QString sectionName(const QString& line)
{
    QString name = line;
    while (name.startsWith(QLatin1Char('=')))
        name.remove(0, 1);
    while (name.endsWith(QLatin1Char('=')))
        name.chop(1);
    return name.simplified();
}

} // namespace

QString CooklangReader::withoutComments(const QString& text)
{
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.mid(i, 2) == QLatin1String("[-")) {
            const qsizetype end = text.indexOf(QLatin1String("-]"), i + 2);
            i = end < 0 ? text.size() : end + 2;
            continue;
        }
        if (text.mid(i, 2) == QLatin1String("--")) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? text.size() : end;
            continue;
        }
        out += text.at(i++);
    }
    return out;
}

CooklangReader::Markup CooklangReader::markupAt(const QString& line, qsizetype at)
{
    const QChar sigil = line.at(at);
    qsizetype start = at + 1;
    // Modifiers of newer Cooklang: optional, hidden, recipe reference.
    while (sigil == QLatin1Char('@') && start < line.size() &&
           QStringLiteral("?-&+").contains(line.at(start)))
        ++start;
    // The name runs to a "{" when one follows before the end of the line and
    // before another sigil; otherwise it is one word.
    qsizetype brace = line.indexOf(QLatin1Char('{'), start);
    for (qsizetype i = start; brace >= 0 && i < brace; ++i) {
        if (QStringLiteral("@#~").contains(line.at(i)))
            brace = -1;
    }
    const qsizetype close = brace >= 0 ? line.indexOf(QLatin1Char('}'), brace) : -1;
    Markup markup;
    QString name;
    QString inside;
    if (brace >= 0 && close >= 0) {
        name = line.mid(start, brace - start).simplified();
        inside = line.mid(brace + 1, close - brace - 1);
        markup.length = close + 1 - at;
    } else {
        qsizetype end = start;
        while (end < line.size() && isWordCharacter(line.at(end)))
            ++end;
        name = line.mid(start, end - start);
        markup.length = end - at;
    }
    if (markup.length <= 1 && name.isEmpty()) {
        markup.words = sigil;
        markup.length = 1;
        return markup;
    }
    // A preparation in parentheses right after an ingredient: "@onion{1}(diced)".
    QString note;
    if (sigil == QLatin1Char('@') && at + markup.length < line.size() &&
        line.at(at + markup.length) == QLatin1Char('(')) {
        const qsizetype end = line.indexOf(QLatin1Char(')'), at + markup.length);
        if (end > 0) {
            note = line.mid(at + markup.length + 1, end - at - markup.length - 1).simplified();
            markup.length = end + 1 - at;
        }
    }
    const QString quantity = quantityWords(inside);
    if (sigil == QLatin1Char('~')) {
        markup.words = quantity.isEmpty() ? name : quantity;
    } else if (sigil == QLatin1Char('#')) {
        markup.words = name;
    } else {
        markup.words = name;
        markup.ingredient = (quantity.isEmpty() ? name : quantity + QLatin1Char(' ') + name);
        if (!note.isEmpty())
            markup.ingredient += QLatin1String(", ") + note;
    }
    return markup;
}

QString CooklangReader::stepText(const QString& paragraph, QStringList& ingredients)
{
    QString out;
    qsizetype i = 0;
    while (i < paragraph.size()) {
        const QChar c = paragraph.at(i);
        if ((c == QLatin1Char('@') || c == QLatin1Char('#') || c == QLatin1Char('~')) &&
            i + 1 < paragraph.size() && !paragraph.at(i + 1).isSpace()) {
            const Markup markup = markupAt(paragraph, i);
            out += markup.words;
            const QString line = markup.ingredient.simplified();
            if (!line.isEmpty() && !ingredients.contains(line))
                ingredients.append(line);
            i += markup.length;
            continue;
        }
        out += c;
        ++i;
    }
    return out.simplified();
}

void CooklangReader::applyMetadata(ImportedRecipe& recipe, const QString& key, const QString& value)
{
    const QString k = key.trimmed().toLower();
    const QString v = ImportText::line(value);
    if (v.isEmpty())
        return;
    if (k == QLatin1String("title") || k == QLatin1String("name"))
        recipe.title = v;
    else if (k == QLatin1String("description") || k == QLatin1String("introduction"))
        recipe.description = v;
    else if (k == QLatin1String("tags") || k == QLatin1String("category") ||
             k == QLatin1String("cuisine") || k == QLatin1String("course")) {
        QString list = v;
        if (list.startsWith(QLatin1Char('[')) && list.endsWith(QLatin1Char(']')))
            list = list.mid(1, list.size() - 2);
        for (const QString& tag : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString t = tag.trimmed().remove(QLatin1Char('"'));
            if (!t.isEmpty())
                recipe.tags.append(t);
        }
    } else if (k == QLatin1String("servings") || k == QLatin1String("serves") ||
               k == QLatin1String("yield"))
        recipe.yield = v;
    else if (k == QLatin1String("time") || k == QLatin1String("total time") ||
             k == QLatin1String("time required") || k == QLatin1String("duration"))
        recipe.totalSeconds = DurationText::seconds(v);
    else if (k == QLatin1String("prep time") || k == QLatin1String("prep_time") ||
             k == QLatin1String("time.prep"))
        recipe.prepSeconds = DurationText::seconds(v);
    else if (k == QLatin1String("cook time") || k == QLatin1String("cook_time") ||
             k == QLatin1String("time.cook"))
        recipe.cookSeconds = DurationText::seconds(v);
    else if (k == QLatin1String("author"))
        recipe.author = v;
    else if (k == QLatin1String("source") || k == QLatin1String("source.url") ||
             k == QLatin1String("url"))
        recipe.source = v;
    else if (k == QLatin1String("image"))
        recipe.image = v;
}

ImportedRecipe CooklangReader::read(const QString& text, const QString& fallbackTitle)
{
    ImportedRecipe recipe;
    QStringList lines = text.split(QLatin1Char('\n'));
    qsizetype body = 0;
    if (!lines.isEmpty() && lines.first().trimmed() == QLatin1String("---")) {
        // Front matter: "key: value" lines and "- item" lists under a key.
        QString listKey;
        for (body = 1; body < lines.size() && lines.at(body).trimmed() != QLatin1String("---");
             ++body) {
            const QString line = lines.at(body).trimmed();
            if (line.startsWith(QLatin1String("- ")) && !listKey.isEmpty()) {
                applyMetadata(recipe, listKey, line.mid(2).remove(QLatin1Char('"')));
                continue;
            }
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            if (colon <= 0)
                continue;
            listKey = line.left(colon);
            applyMetadata(recipe, listKey, line.mid(colon + 1).trimmed().remove(QLatin1Char('"')));
        }
        ++body;
    }
    lines = withoutComments(lines.mid(body).join(QLatin1Char('\n'))).split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = line.trimmed();
    const qsizetype first = 0;

    QString section;
    QString paragraph;
    auto endParagraph = [&] {
        const QString step = stepText(paragraph, recipe.ingredients);
        if (!step.isEmpty())
            recipe.steps.append({section, step});
        paragraph.clear();
    };
    for (qsizetype i = first; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.startsWith(QLatin1String(">>"))) {
            const qsizetype colon = line.indexOf(QLatin1Char(':'));
            if (colon > 0)
                applyMetadata(recipe, line.mid(2, colon - 2), line.mid(colon + 1));
            continue;
        }
        if (isSectionLine(line)) {
            endParagraph();
            section = sectionName(line);
            continue;
        }
        if (line.isEmpty()) {
            endParagraph();
            continue;
        }
        paragraph += QLatin1Char(' ') + line;
    }
    endParagraph();
    if (recipe.title.isEmpty())
        recipe.title = fallbackTitle.simplified();
    if (recipe.steps.isEmpty() && recipe.ingredients.isEmpty())
        recipe.title.clear();
    return recipe;
}
