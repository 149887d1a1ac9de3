#include "import/lenientjson.h"

#include "import/importlimits.h"

#include <QJsonParseError>

namespace {

void appendEscaped(QByteArray& out, char c)
{
    switch (c) {
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    static const char hex[] = "0123456789abcdef";
    out += "\\u00";
    out += hex[(uchar(c) >> 4) & 0xf];
    out += hex[uchar(c) & 0xf];
}

// Pages wrap their scripts in comment or CDATA markers for old browsers.
QByteArray withoutWrapping(QByteArray text)
{
    text = text.trimmed();
    for (const char* start : {"<!--", "//<![CDATA[", "<![CDATA["}) {
        if (text.startsWith(start))
            text = text.mid(qsizetype(qstrlen(start))).trimmed();
    }
    for (const char* end : {"-->", "//]]>", "]]>"}) {
        if (text.endsWith(end))
            text.chop(qsizetype(qstrlen(end)));
    }
    text = text.trimmed();
    if (text.endsWith(';'))
        text.chop(1);
    return text;
}

} // namespace

QByteArray LenientJson::escapeControlCharacters(const QByteArray& text, int maxDepth)
{
    QByteArray out;
    out.reserve(text.size() + 16);
    bool inString = false;
    bool escaped = false;
    int depth = 0;
    for (const char c : text) {
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            } else if (uchar(c) < 0x20) {
                appendEscaped(out, c);
                continue;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            if (++depth > maxDepth)
                return {};
        } else if (c == '}' || c == ']') {
            --depth;
        }
        out += c;
    }
    return out;
}

QJsonDocument LenientJson::parse(const QByteArray& text)
{
    if (text.size() > ImportLimits::pageBytes)
        return {};
    const QByteArray escaped =
        escapeControlCharacters(withoutWrapping(text), ImportLimits::jsonDepth);
    if (escaped.isEmpty())
        return {};
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(escaped, &error);
    if (error.error != QJsonParseError::NoError)
        return {};
    return document;
}
