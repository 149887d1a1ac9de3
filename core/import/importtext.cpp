#include "import/importtext.h"

#include "import/htmltree.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// The byte a Windows-1252 reader shows as `c`, or -1; pages that read UTF-8
// bytes that way show "Ã©" for "é" and "â€™" for "’".
int windows1252Byte(QChar c)
{
    static const char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    if (c.unicode() < 0x100)
        return c.unicode();
    for (int i = 0; i < 32; ++i) {
        if (high[i] == c.unicode())
            return 0x80 + i;
    }
    return -1;
}

bool mayBeMojibake(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c == 0xC2 || c == 0xC3 || c == 0xE2 || c == 0xC5) &&
            windows1252Byte(text.at(i + 1)) >= 0x80)
            return true;
    }
    return false;
}

bool hasEntity(const QString& text)
{
    static const QRegularExpression entity(
        QStringLiteral("&(?:[a-zA-Z]{2,8}|#\\d{2,6}|#x[0-9a-fA-F]{2,5});"));
    return text.contains(QLatin1Char('&')) && text.contains(entity);
}

} // namespace

QString ImportText::withoutMojibake(const QString& text)
{
    if (!mayBeMojibake(text))
        return text;
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int byte = windows1252Byte(c);
        if (byte < 0)
            return text;
        bytes.append(char(byte));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    return decoder.hasError() ? text : decoded;
}

QString ImportText::withoutMarkup(const QString& text)
{
    if (!text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('&')))
        return text;
    QString plain = HtmlTree::fragmentText(text);
    // Some sites encode their text twice ("&amp;amp;"); once more undoes it.
    if (hasEntity(plain))
        plain = HtmlTree::fragmentText(
            plain.toHtmlEscaped().replace(QLatin1String("&amp;"), QLatin1String("&")));
    return plain;
}

QString ImportText::withoutControls(QString text)
{
    // Stray control characters that pages leave in their data read as
    // blanks; halves of surrogate pairs (which JSON escapes can make) as the
    // replacement character, as any UTF-8 reader would read them.
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar& c = text[i];
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\n')) {
            c = QLatin1Char(' ');
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QString ImportText::line(const QString& text)
{
    return withoutControls(withoutMojibake(withoutMarkup(text))).simplified();
}

QString ImportText::ingredient(const QString& text)
{
    QString out = line(text);
    while (out.contains(QLatin1String("((")))
        out.replace(QLatin1String("(("), QLatin1String("("));
    while (out.contains(QLatin1String("))")))
        out.replace(QLatin1String("))"), QLatin1String(")"));
    return out;
}

QStringList ImportText::lines(const QString& text)
{
    QStringList out;
    const QString plain = withoutControls(withoutMojibake(withoutMarkup(text)));
    for (const QString& piece : plain.split(QLatin1Char('\n'))) {
        const QString simplified = piece.simplified();
        if (!simplified.isEmpty())
            out.append(simplified);
    }
    return out;
}

QString ImportText::paragraphs(const QString& text)
{
    return lines(text).join(QLatin1String("\n\n"));
}
