#include "cooking/directionsreader.h"

#include "cooking/durationfinder.h"
#include "recipe/recipesections.h"

#include <QHash>
#include <QStringList>

#include <md4c.h>

namespace {

using Heading = RecipeSections::Heading;

bool isTitleLine(const QString& line)
{
    return RecipeSections::headingOf(line) == Heading::Title;
}

// A level-three heading of any name ends the section before it.
bool isSection(Heading heading)
{
    return heading != Heading::None && heading != Heading::Title;
}

bool isSectionLine(const QString& line)
{
    return isSection(RecipeSections::headingOf(line));
}

// The lines of every directions section, up to the next level-three heading.
QStringList directionsLines(const QStringList& lines, bool* found)
{
    QStringList body;
    bool inside = false;
    *found = false;
    for (const QString& line : lines) {
        const Heading heading = RecipeSections::headingOf(line);
        if (isSection(heading)) {
            inside = heading == Heading::Directions;
            *found = *found || inside;
            continue;
        }
        if (inside && !isTitleLine(line))
            body.append(line);
    }
    return body;
}

// Without a directions heading: what follows the last bullet of the
// ingredients, or the title when there are no ingredients, up to the
// metadata. Other level-three headings ("### Method") are passed over.
QStringList linesAfterIngredients(const QStringList& lines)
{
    qsizetype start = -1;
    bool inIngredients = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const Heading heading = RecipeSections::headingOf(line);
        if (isSection(heading))
            inIngredients = heading == Heading::Ingredients;
        if (inIngredients && (isSection(heading) || RecipeSections::isListItem(line)))
            start = i + 1;
    }
    if (start < 0) {
        for (qsizetype i = 0; i < lines.size() && start < 0; ++i) {
            if (isTitleLine(lines[i]))
                start = i + 1;
        }
    }
    QStringList body;
    for (qsizetype i = qMax<qsizetype>(start, 0); i < lines.size(); ++i) {
        if (RecipeSections::headingOf(lines[i]) == Heading::Metadata)
            break;
        if (!isSectionLine(lines[i]) && !isTitleLine(lines[i]))
            body.append(lines[i]);
    }
    return body;
}

// Everything but the title, the ingredients' bullets and the metadata.
QStringList allTextLines(const QStringList& lines)
{
    QStringList body;
    Heading section = Heading::None;
    for (const QString& line : lines) {
        const Heading heading = RecipeSections::headingOf(line);
        if (isSection(heading)) {
            section = heading;
            continue;
        }
        if (isTitleLine(line) || section == Heading::Metadata)
            continue;
        if (section == Heading::Ingredients && RecipeSections::isListItem(line))
            continue;
        body.append(line);
    }
    return body;
}

QString decodedEntity(const QString& entity)
{
    static const QHash<QString, QString> named{
        {QStringLiteral("&amp;"), QStringLiteral("&")},
        {QStringLiteral("&lt;"), QStringLiteral("<")},
        {QStringLiteral("&gt;"), QStringLiteral(">")},
        {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&apos;"), QStringLiteral("'")},
        {QStringLiteral("&nbsp;"), QStringLiteral(" ")},
        {QStringLiteral("&deg;"), QStringLiteral("°")},
        {QStringLiteral("&frac12;"), QStringLiteral("½")},
    };
    if (const auto it = named.constFind(entity); it != named.cend())
        return *it;
    if (entity.startsWith(QLatin1String("&#")) && entity.endsWith(QLatin1Char(';'))) {
        const QStringView digits = QStringView(entity).sliced(2).chopped(1);
        bool ok = false;
        const uint code = digits.startsWith(QLatin1Char('x'), Qt::CaseInsensitive)
                              ? digits.sliced(1).toUInt(&ok, 16)
                              : digits.toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10ffff && !(code >= 0xd800 && code <= 0xdfff)) {
            const char32_t character = code;
            return QString::fromUcs4(&character, 1);
        }
    }
    return entity;
}

// Collects steps while md4c walks the Markdown of the directions.
class StepCollector
{
public:
    QList<CookingStep> steps() const { return m_steps; }

    void enterBlock(MD_BLOCKTYPE type)
    {
        switch (type) {
        case MD_BLOCK_UL:
        case MD_BLOCK_OL:
            ++m_listDepth;
            break;
        case MD_BLOCK_LI:
            if (m_listDepth == 1)
                startStep(true);
            else
                separate();
            break;
        case MD_BLOCK_H:
            m_text.clear();
            break;
        case MD_BLOCK_P:
        case MD_BLOCK_CODE:
            if (m_inItem) {
                separate();
            } else {
                startStep(false);
                m_onlyStrong = true;
                m_strongSeen = false;
            }
            break;
        case MD_BLOCK_HTML:
            ++m_skipped;
            break;
        default:
            break;
        }
    }

    void leaveBlock(MD_BLOCKTYPE type)
    {
        switch (type) {
        case MD_BLOCK_UL:
        case MD_BLOCK_OL:
            --m_listDepth;
            break;
        case MD_BLOCK_LI:
            if (m_listDepth == 1) {
                finishStep();
                m_inItem = false;
            }
            break;
        case MD_BLOCK_H:
            m_section = sectionName(m_text);
            m_text.clear();
            break;
        case MD_BLOCK_P:
        case MD_BLOCK_CODE:
            if (m_inItem)
                break;
            if (type == MD_BLOCK_P && m_onlyStrong && m_strongSeen) {
                m_section = sectionName(m_text);
                m_text.clear();
            } else {
                finishStep();
            }
            break;
        case MD_BLOCK_HTML:
            --m_skipped;
            break;
        default:
            break;
        }
    }

    void enterSpan(MD_SPANTYPE type)
    {
        if (type == MD_SPAN_STRONG) {
            ++m_strongDepth;
            m_strongSeen = true;
        }
    }

    void leaveSpan(MD_SPANTYPE type)
    {
        if (type == MD_SPAN_STRONG)
            --m_strongDepth;
    }

    void text(MD_TEXTTYPE type, const QString& text)
    {
        if (m_skipped > 0)
            return;
        switch (type) {
        case MD_TEXT_HTML:
            return;
        case MD_TEXT_BR:
        case MD_TEXT_SOFTBR:
            m_text += QLatin1Char(' ');
            return;
        case MD_TEXT_NULLCHAR:
            m_text += QChar(QChar::ReplacementCharacter);
            return;
        case MD_TEXT_ENTITY:
            append(decodedEntity(text));
            return;
        default:
            append(text);
        }
    }

private:
    void append(const QString& text)
    {
        if (m_strongDepth == 0 && !text.trimmed().isEmpty())
            m_onlyStrong = false;
        m_text += text;
    }

    void startStep(bool item)
    {
        m_text.clear();
        m_inItem = item;
    }

    void separate()
    {
        if (!m_text.isEmpty() && !m_text.back().isSpace())
            m_text += QLatin1Char(' ');
    }

    void finishStep()
    {
        const QString text = m_text.simplified();
        m_text.clear();
        if (text.isEmpty())
            return;
        CookingStep step;
        step.section = m_section;
        step.text = text;
        step.durations = DurationFinder::find(step.text);
        m_steps.append(step);
    }

    static QString sectionName(const QString& text)
    {
        QString name = text.simplified();
        if (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(u'：')))
            name.chop(1);
        return name.trimmed();
    }

    QList<CookingStep> m_steps;
    QString m_text;
    QString m_section;
    int m_listDepth = 0;
    int m_strongDepth = 0;
    int m_skipped = 0;
    bool m_inItem = false;
    bool m_onlyStrong = false;
    bool m_strongSeen = false;
};

StepCollector& collectorOf(void* userdata)
{
    return *static_cast<StepCollector*>(userdata);
}

} // namespace

QList<CookingStep> DirectionsReader::read(const QString& recipeText)
{
    QString text = recipeText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool found = false;
    const QStringList directions = directionsLines(lines, &found);
    if (found) {
        const QList<CookingStep> steps = stepsOf(directions.join(QLatin1Char('\n')));
        if (!steps.isEmpty())
            return steps;
    }
    const QList<CookingStep> steps = stepsOf(linesAfterIngredients(lines).join(QLatin1Char('\n')));
    if (!steps.isEmpty())
        return steps;
    return stepsOf(allTextLines(lines).join(QLatin1Char('\n')));
}

QList<CookingStep> DirectionsReader::stepsOf(const QString& markdown)
{
    const QByteArray bytes = markdown.toUtf8();
    StepCollector collector;
    MD_PARSER parser{};
    parser.abi_version = 0;
    parser.flags = MD_FLAG_STRIKETHROUGH | MD_FLAG_PERMISSIVEAUTOLINKS;
    parser.enter_block = [](MD_BLOCKTYPE type, void*, void* userdata) {
        collectorOf(userdata).enterBlock(type);
        return 0;
    };
    parser.leave_block = [](MD_BLOCKTYPE type, void*, void* userdata) {
        collectorOf(userdata).leaveBlock(type);
        return 0;
    };
    parser.enter_span = [](MD_SPANTYPE type, void*, void* userdata) {
        collectorOf(userdata).enterSpan(type);
        return 0;
    };
    parser.leave_span = [](MD_SPANTYPE type, void*, void* userdata) {
        collectorOf(userdata).leaveSpan(type);
        return 0;
    };
    parser.text = [](MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* userdata) {
        collectorOf(userdata).text(type, QString::fromUtf8(text, qsizetype(size)));
        return 0;
    };
    md_parse(bytes.constData(), MD_SIZE(bytes.size()), &parser, &collector);
    return collector.steps();
}
