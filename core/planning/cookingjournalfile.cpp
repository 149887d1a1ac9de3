#include "planning/cookingjournalfile.h"

#include "files/recipelink.h"
#include "files/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int maxStars = 5;

const QString fullStar = QStringLiteral("★");
const QString emptyStar = QStringLiteral("☆");

// "- 2026-12-10 [Title](link) rest", taken apart by hand: a journal of years
// is read on every change, and a pattern per line costs several times more.
struct EntryParts
{
    QStringView day;
    QStringView title; // as written, escapes and all
    QStringView link;
    QStringView rest;
};

qsizetype skipSpaces(QStringView line, qsizetype at)
{
    while (at < line.size() && line[at].isSpace())
        ++at;
    return at;
}

bool splitEntry(QStringView line, EntryParts* parts)
{
    qsizetype at = 0;
    while (at < 3 && at < line.size() && line[at] == QLatin1Char(' '))
        ++at;
    if (at >= line.size() || !QStringView(u"-*+").contains(line[at]))
        return false;
    qsizetype next = skipSpaces(line, at + 1);
    if (next == at + 1 || next + 10 > line.size())
        return false;
    parts->day = line.mid(next, 10);
    at = next + 10;
    if (at < line.size() && line[at] == QLatin1Char(':'))
        ++at;
    next = skipSpaces(line, at);
    if (next == at || next >= line.size() || line[next] != QLatin1Char('['))
        return false;
    const qsizetype titleStart = next + 1;
    at = titleStart;
    while (at < line.size() && line[at] != QLatin1Char(']'))
        at += line[at] == QLatin1Char('\\') ? 2 : 1;
    if (at + 1 >= line.size() || line[at + 1] != QLatin1Char('('))
        return false;
    parts->title = line.mid(titleStart, at - titleStart);
    at = skipSpaces(line, at + 2);
    qsizetype close = -1;
    if (at < line.size() && line[at] == QLatin1Char('<')) {
        const qsizetype end = line.indexOf(QLatin1Char('>'), at);
        if (end < 0)
            return false;
        parts->link = line.mid(at + 1, end - at - 1);
        close = skipSpaces(line, end + 1);
        if (close >= line.size() || line[close] != QLatin1Char(')'))
            return false;
    } else {
        close = line.indexOf(QLatin1Char(')'), at);
        if (close < 0)
            return false;
        parts->link = line.mid(at, close - at).trimmed();
        if (parts->link.isEmpty())
            return false;
    }
    parts->rest = line.mid(close + 1).trimmed();
    return true;
}

QDate readDay(QStringView text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return QDate();
    bool yearRead = false;
    bool monthRead = false;
    bool dayRead = false;
    const int year = text.mid(0, 4).toInt(&yearRead);
    const int month = text.mid(5, 2).toInt(&monthRead);
    const int day = text.mid(8, 2).toInt(&dayRead);
    if (!yearRead || !monthRead || !dayRead || !text[5].isDigit() || !text[8].isDigit())
        return QDate();
    return QDate(year, month, day);
}

// The stars at the start of `rest` as "★★★★☆", "4/5" or "****"; the length
// read in `length`, 0 when there are none.
int readStars(const QString& rest, qsizetype* length)
{
    static const QRegularExpression symbols(QStringLiteral("^[★☆]+"));
    static const QRegularExpression outOfFive(QStringLiteral("^([0-5])\\s*/\\s*5(?=\\s|$)"));
    static const QRegularExpression asterisks(QStringLiteral("^\\*{1,5}(?=\\s|$)"));
    *length = 0;
    if (rest.isEmpty() || !(rest[0].isDigit() || rest[0] == QLatin1Char('*') ||
                            rest[0] == fullStar[0] || rest[0] == emptyStar[0]))
        return 0;
    QRegularExpressionMatch match = symbols.match(rest);
    if (match.hasMatch()) {
        *length = match.capturedLength();
        return std::min(maxStars, int(match.captured().count(fullStar)));
    }
    match = outOfFive.match(rest);
    if (match.hasMatch()) {
        *length = match.capturedLength();
        return match.captured(1).toInt();
    }
    match = asterisks.match(rest);
    if (match.hasMatch()) {
        *length = match.capturedLength();
        return int(match.capturedLength());
    }
    return 0;
}

// A note may stand apart from the stars by a dash or a colon.
QString noteOf(const QString& text)
{
    static const QRegularExpression separator(QStringLiteral("^[-–—:]\\s+"));
    const QString note = text.trimmed();
    if (note.isEmpty() || !QStringView(u"-–—:").contains(note[0]))
        return note;
    return QString(note).remove(separator).trimmed();
}

// The absolute path of each link read, worked out once per journal: a recipe
// cooked often has many lines.
using LinkPaths = QHash<QStringView, QString>;

bool readEntry(QStringView line, const QString& folder, LinkPaths* paths, JournalEntry* entry)
{
    EntryParts parts;
    if (!splitEntry(line, &parts))
        return false;
    const QDate day = readDay(parts.day);
    if (!day.isValid())
        return false;
    auto path = paths->constFind(parts.link);
    if (path == paths->cend()) {
        const QString link = parts.link.toString();
        path = paths->insert(parts.link, RecipeLink::namesRecipe(link)
                                             ? RecipeLink::pathOf(folder, link)
                                             : QString());
    }
    if (path->isEmpty())
        return false;
    const QString rest = parts.rest.toString();
    qsizetype starsLength = 0;
    entry->day = day;
    entry->recipePath = *path;
    entry->title = RecipeLink::unescapedTitle(parts.title.toString());
    entry->stars = readStars(rest, &starsLength);
    entry->note = noteOf(rest.mid(starsLength));
    return true;
}

struct JournalText
{
    QString text;
    bool exists = false;
};

bool readJournalText(const QString& path, JournalText* journal, QString* error)
{
    SafeFile file(path);
    switch (file.status()) {
    case SafeFile::Status::Missing:
        return true;
    case SafeFile::Status::TooLarge:
        *error = QStringLiteral("%1 is larger than 16 MiB").arg(cookingJournalFileName());
        return false;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::Unreadable:
        *error = QStringLiteral("%1 cannot be read").arg(cookingJournalFileName());
        return false;
    case SafeFile::Status::Opened:
        break;
    }
    journal->exists = true;
    // A line in another encoding is kept in the file; it only reads wrongly.
    journal->text = QString::fromUtf8(file.file().readAll());
    return true;
}

// What goes at the end of the journal's text for `line`: the heading when
// it holds nothing yet, the line end the file uses, and a line end first
// when its last line has none.
QString appendedText(const QString& existing, const QString& line)
{
    const QString lineEnd =
        existing.contains(QStringLiteral("\r\n")) ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    if (existing.trimmed().isEmpty())
        text = QStringLiteral("# Cooking journal") + lineEnd + lineEnd;
    else if (!existing.endsWith(QLatin1Char('\n')))
        text = lineEnd;
    return text + line + lineEnd;
}

} // namespace

QString cookingJournalFileName()
{
    return QStringLiteral("cooking-journal.md");
}

QString journalStarsText(int stars)
{
    if (stars <= 0)
        return QString();
    stars = std::min(stars, maxStars);
    return fullStar.repeated(stars) + emptyStar.repeated(maxStars - stars);
}

QList<JournalEntry> parseCookingJournal(const QString& text, const QString& cookbookFolder)
{
    QList<JournalEntry> entries;
    LinkPaths paths;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        JournalEntry entry;
        if (readEntry(line, cookbookFolder, &paths, &entry))
            entries.append(entry);
        start = end + 1;
    }
    return entries;
}

QList<JournalEntry> readCookingJournal(const QString& cookbookFolder)
{
    JournalText journal;
    QString error;
    if (cookbookFolder.isEmpty() ||
        !readJournalText(QDir(cookbookFolder).filePath(cookingJournalFileName()), &journal, &error))
        return {};
    return parseCookingJournal(journal.text, cookbookFolder);
}

QString journalEntryLine(const JournalEntry& entry, const QString& cookbookFolder)
{
    QString line = QStringLiteral("- %1 [%2](%3)")
                       .arg(entry.day.toString(Qt::ISODate), RecipeLink::escapedTitle(entry.title),
                            RecipeLink::linkTo(cookbookFolder, entry.recipePath));
    const QString note = entry.note.simplified();
    QString stars = journalStarsText(entry.stars);
    qsizetype readLength = 0;
    // A note that would read as stars is kept a note by empty stars before it.
    if (stars.isEmpty() && !note.isEmpty() && (readStars(note, &readLength), readLength > 0))
        stars = emptyStar.repeated(maxStars);
    if (!stars.isEmpty())
        line += QLatin1Char(' ') + stars;
    if (!note.isEmpty())
        line += QLatin1Char(' ') + note;
    return line;
}

bool appendJournalEntry(const QString& cookbookFolder, const JournalEntry& entry, QString* error)
{
    QString reason;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (cookbookFolder.isEmpty() || !QFileInfo(cookbookFolder).isDir())
        return fail(QStringLiteral("There is no cookbook folder to keep the journal in"));
    if (!entry.day.isValid() || entry.recipePath.isEmpty())
        return fail(QStringLiteral("Nothing to write in the cooking journal"));
    const QString path = QDir(cookbookFolder).filePath(cookingJournalFileName());
    JournalText journal;
    if (!readJournalText(path, &journal, &reason))
        return fail(reason);
    const QByteArray bytes =
        appendedText(journal.text, journalEntryLine(entry, cookbookFolder)).toUtf8();
    QFile file(path);
    // Appending leaves every line already there as it is, whoever wrote it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(bytes) != bytes.size() ||
        !file.flush())
        return fail(QStringLiteral("%1 cannot be written").arg(cookingJournalFileName()));
    return true;
}
