#include "import/importtext.h"

#include "import/htmltree.h"

QString ImportText::withoutMarkup(const QString& text)
{
    if (!text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('&')))
        return text;
    return HtmlTree::fragmentText(text);
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
    return withoutControls(withoutMarkup(text)).simplified();
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
    const QString plain = withoutControls(withoutMarkup(text));
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
