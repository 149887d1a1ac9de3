#include "pantry/pantryfile.h"

#include "files/safefile.h"
#include "files/listfiletext.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace {

// "- 2 kg flour", "* rice", "+ Salz": the bullet with its indent, and the text.
bool readBullet(const QString& line, QString* bullet, QString* text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\s*[-*+]\\s+)(.*?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(line);
    if (!match.hasMatch())
        return false;
    *bullet = match.captured(1);
    *text = match.captured(2);
    return true;
}

QString folded(const QString& text)
{
    return text.simplified().toCaseFolded();
}

} // namespace

PantryFile PantryFile::parse(const QString& text)
{
    PantryFile file;
    file.m_lines = ListFileText::lines(text, &file.m_crlf);
    for (int i = 0; i < file.m_lines.size(); ++i) {
        QString bullet;
        QString itemText;
        if (!readBullet(file.m_lines.at(i), &bullet, &itemText))
            continue;
        const IngredientReading reading = readIngredientLine(itemText);
        if (reading.name.isEmpty())
            continue;
        file.m_items.append(PantryItem{itemText, reading});
        file.m_itemLines.append(i);
        file.m_itemChanged.append(false);
        file.m_bullets.append(bullet);
    }
    return file;
}

PantryFile PantryFile::fromItems(const QStringList& texts)
{
    QString text;
    for (const QString& item : texts)
        text += QStringLiteral("- ") + item.simplified() + QLatin1Char('\n');
    return parse(text);
}

QStringList PantryFile::itemTexts() const
{
    QStringList texts;
    for (const PantryItem& item : m_items)
        texts.append(item.text);
    return texts;
}

QList<IngredientReading> PantryFile::readings() const
{
    QList<IngredientReading> readings;
    for (const PantryItem& item : m_items)
        readings.append(item.reading);
    return readings;
}

int PantryFile::indexOf(const QString& text) const
{
    const QString key = folded(text);
    for (int i = 0; i < m_items.size(); ++i) {
        if (folded(m_items.at(i).text) == key)
            return i;
    }
    return -1;
}

void PantryFile::setItemText(int index, const QString& text)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items[index] = PantryItem{text.simplified(), readIngredientLine(text)};
    m_itemChanged[index] = true;
}

void PantryFile::removeItem(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    m_items.removeAt(index);
    m_itemLines.removeAt(index);
    m_itemChanged.removeAt(index);
    m_bullets.removeAt(index);
}

void PantryFile::appendItem(const QString& text)
{
    m_items.append(PantryItem{text.simplified(), readIngredientLine(text)});
    m_itemLines.append(-1);
    m_itemChanged.append(true);
    m_bullets.append(m_bullets.isEmpty() ? QStringLiteral("- ") : m_bullets.last());
}

// Lines of items taken away go; appended items follow the last item kept, or
// end the file.
QString PantryFile::toText() const
{
    QStringList out;
    if (m_lines.isEmpty() && !m_items.isEmpty())
        out << QStringLiteral("# Pantry") << QString();
    QStringList appended;
    int lastItemLine = -1;
    QHash<int, int> itemOfLine;
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_itemLines.at(i) < 0)
            appended.append(m_bullets.at(i) + m_items.at(i).text);
        else {
            itemOfLine.insert(m_itemLines.at(i), i);
            lastItemLine = std::max(lastItemLine, m_itemLines.at(i));
        }
    }
    // Lines that were items once and are no more are left out.
    QSet<int> itemLines;
    for (int i = 0; i < m_lines.size(); ++i) {
        QString bullet;
        QString text;
        if (readBullet(m_lines.at(i), &bullet, &text) && !readIngredientLine(text).name.isEmpty())
            itemLines.insert(i);
    }
    const auto appendNew = [&] {
        out.append(appended);
        appended.clear();
    };
    for (int i = 0; i < m_lines.size(); ++i) {
        const auto item = itemOfLine.constFind(i);
        if (item != itemOfLine.constEnd()) {
            out.append(m_itemChanged.at(*item) ? m_bullets.at(*item) + m_items.at(*item).text
                                               : m_lines.at(i));
        } else if (!itemLines.contains(i)) {
            out.append(m_lines.at(i));
        }
        if (i == lastItemLine)
            appendNew();
    }
    if (!appended.isEmpty()) {
        while (!out.isEmpty() && out.last().trimmed().isEmpty())
            out.removeLast();
        if (!out.isEmpty())
            out.append(QString());
        appendNew();
    }
    const QString lineEnd = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    return out.isEmpty() ? QString() : out.join(lineEnd) + lineEnd;
}

QList<IngredientReading> readPantry(const QString& cookbookFolder)
{
    if (cookbookFolder.isEmpty())
        return {};
    const QByteArray bytes = SafeFile::readAll(
        QDir(cookbookFolder).filePath(PantryFile::fileName()), PantryFile::sizeLimit);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {};
    return PantryFile::parse(text).readings();
}
