#include "cooking/directionsreader.h"

#include "cooking/durationfinder.h"
#include "import/sectionnames.h"
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

// "### Notes", "### Nährwerte": kept among the directions' lines, so that the
// steps' reader tells the notes after the steps apart.
bool isNotesLine(const QString& line)
{
    return RecipeSections::headingOf(line) == Heading::Other && SectionNames::isNotes(line.mid(4));
}

bool isSectionLine(const QString& line)
{
    return isSection(RecipeSections::headingOf(line)) && !isNotesLine(line);
}

// The lines of every directions section, up to the next level-three heading,
// and of the notes sections after them.
QStringList directionsLines(const QStringList& lines, bool* found)
{
    QStringList body;
    bool inside = false;
    *found = false;
    for (const QString& line : lines) {
        const Heading heading = RecipeSections::headingOf(line);
        if (*found && isNotesLine(line)) {
            inside = true;
            body.append(line);
            continue;
        }
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
        if (isNotesLine(line)) {
            section = heading;
            body.append(line);
            continue;
        }
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

// Collects steps and notes while md4c walks the Markdown of the directions.
class StepCollector
{
public:
    DirectionsReader::Directions directions() const { return {m_steps, m_notes}; }

    void enterBlock(MD_BLOCKTYPE type, void* detail)
    {
        switch (type) {
        case MD_BLOCK_UL:
        case MD_BLOCK_OL:
            if (++m_listDepth == 1)
                startList(type);
            break;
        case MD_BLOCK_LI:
            if (m_listDepth == 1)
                startStep(true);
            else
                startNestedItem();
            break;
        case MD_BLOCK_H:
            m_headingLevel = int(static_cast<MD_BLOCK_H_DETAIL*>(detail)->level);
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
            if (--m_listDepth == 0)
                finishList(type);
            break;
        case MD_BLOCK_LI:
            if (m_listDepth == 1) {
                finishStep();
                m_inItem = false;
            }
            break;
        case MD_BLOCK_H:
            nameSection(sectionName(m_text), m_headingLevel);
            m_text.clear();
            m_bulletsStart = 0;
            break;
        case MD_BLOCK_P:
        case MD_BLOCK_CODE:
            if (m_inItem)
                break;
            if (type == MD_BLOCK_P && m_onlyStrong && m_strongSeen) {
                nameSection(sectionName(m_text), boldHeadingLevel);
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
    // A bold paragraph names a section below any heading's level.
    static constexpr int boldHeadingLevel = 7;
    static inline const QString itemMark = QStringLiteral("\n• ");

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

    void startNestedItem()
    {
        while (!m_text.isEmpty() && m_text.back().isSpace())
            m_text.chop(1);
        m_text += itemMark;
    }

    void separate()
    {
        if (!m_text.isEmpty() && !m_text.back().isSpace())
            m_text += QLatin1Char(' ');
    }

    void startList(MD_BLOCKTYPE type)
    {
        if (type == MD_BLOCK_UL)
            m_bulletsStart = collected().size();
    }

    // Bullets right after a step that ends in a colon list what it names.
    void finishList(MD_BLOCKTYPE type)
    {
        const QList<CookingStep>& list = collected();
        if (type != MD_BLOCK_UL || m_bulletsStart < 1 || m_bulletsStart > list.size())
            return;
        const QString& lead = list.at(m_bulletsStart - 1).text;
        if (lead.endsWith(QLatin1Char(':')) || lead.endsWith(QChar(u'：')))
            nestInStepBefore(m_bulletsStart, list.size());
    }

    // Moves steps [from, to) into the step before them as its list.
    void nestInStepBefore(qsizetype from, qsizetype to)
    {
        QList<CookingStep>& list = collected();
        if (from < 1 || to > list.size() || from >= to)
            return;
        CookingStep& lead = list[from - 1];
        for (qsizetype i = from; i < to; ++i)
            lead.text += itemMark + list.at(i).text;
        lead.durations = DurationFinder::find(lead.text);
        list.remove(from, to - from);
    }

    void finishStep()
    {
        const QString text = cleaned(m_text);
        m_text.clear();
        if (text.isEmpty())
            return;
        CookingStep step;
        step.section = m_inNotes ? m_noteSection : m_section;
        step.text = text;
        step.durations = DurationFinder::find(step.text);
        collected().append(step);
    }

    // A notes heading after the steps opens the notes, up to a heading of
    // its level or above that names no notes.
    void nameSection(const QString& name, int level)
    {
        if (!m_inNotes && !m_steps.isEmpty() && SectionNames::isNotes(name)) {
            m_inNotes = true;
            m_notesLevel = level;
        } else if (m_inNotes && level <= m_notesLevel && !SectionNames::isNotes(name)) {
            m_inNotes = false;
        }
        (m_inNotes ? m_noteSection : m_section) = name;
    }

    QList<CookingStep>& collected() { return m_inNotes ? m_notes : m_steps; }

    // Blanks run together on each line; the lines of nested items stay.
    static QString cleaned(const QString& text)
    {
        QStringList lines;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QString simple = line.simplified();
            if (!simple.isEmpty() && simple != QStringLiteral("•"))
                lines.append(simple);
        }
        return lines.join(QLatin1Char('\n'));
    }

    static QString sectionName(const QString& text)
    {
        QString name = text.simplified();
        if (name.endsWith(QLatin1Char(':')) || name.endsWith(QChar(u'：')))
            name.chop(1);
        return name.trimmed();
    }

    QList<CookingStep> m_steps;
    QList<CookingStep> m_notes;
    QString m_text;
    QString m_section;
    QString m_noteSection;
    int m_listDepth = 0;
    int m_strongDepth = 0;
    int m_skipped = 0;
    int m_headingLevel = 0;
    int m_notesLevel = 0;
    qsizetype m_bulletsStart = 0;
    bool m_inItem = false;
    bool m_onlyStrong = false;
    bool m_strongSeen = false;
    bool m_inNotes = false;
};

// Where the text of a numbered item starts ("1. " or " 12) "), or -1.
qsizetype numberedTextStart(const QString& line)
{
    qsizetype at = 0;
    while (at < line.size() && at < 4 && line[at] == QLatin1Char(' '))
        ++at;
    const qsizetype digits = at;
    while (at < line.size() && line[at].isDigit())
        ++at;
    if (at == digits || at - digits > 9 || at + 1 >= line.size())
        return -1;
    if ((line[at] != QLatin1Char('.') && line[at] != QLatin1Char(')')) ||
        line[at + 1] != QLatin1Char(' '))
        return -1;
    at += 2;
    while (at < line.size() && line[at] == QLatin1Char(' '))
        ++at;
    return at;
}

// "1. Make the sauce\n  - butter\n2. …": bullets indented under a numbered
// item, but too little for Markdown to nest them, are indented as far as the
// item's text, so that they stay in its step.
QStringList withUnderIndentedBulletsNested(QStringList lines)
{
    qsizetype itemText = -1;
    for (QString& line : lines) {
        const qsizetype numbered = numberedTextStart(line);
        if (numbered >= 0) {
            itemText = numbered;
            continue;
        }
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == QLatin1Char(' '))
            ++indent;
        if (indent == line.size())
            continue;
        if (indent == 0)
            itemText = -1;
        else if (itemText > indent && RecipeSections::isListItem(line))
            line.prepend(QString(itemText - indent, QLatin1Char(' ')));
    }
    return lines;
}

StepCollector& collectorOf(void* userdata)
{
    return *static_cast<StepCollector*>(userdata);
}

} // namespace

DirectionsReader::Directions DirectionsReader::readAll(const QString& recipeText)
{
    QString text = recipeText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool found = false;
    const QStringList directions = withUnderIndentedBulletsNested(directionsLines(lines, &found));
    if (found) {
        Directions read = directionsOf(directions.join(QLatin1Char('\n')));
        if (!read.steps.isEmpty())
            return read;
    }
    Directions read = directionsOf(linesAfterIngredients(lines).join(QLatin1Char('\n')));
    if (!read.steps.isEmpty())
        return read;
    return directionsOf(allTextLines(lines).join(QLatin1Char('\n')));
}

DirectionsReader::Directions DirectionsReader::directionsOf(const QString& markdown)
{
    const QByteArray bytes = markdown.toUtf8();
    StepCollector collector;
    MD_PARSER parser{};
    parser.abi_version = 0;
    parser.flags = MD_FLAG_STRIKETHROUGH | MD_FLAG_PERMISSIVEAUTOLINKS;
    parser.enter_block = [](MD_BLOCKTYPE type, void* detail, void* userdata) {
        collectorOf(userdata).enterBlock(type, detail);
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
    return collector.directions();
}
