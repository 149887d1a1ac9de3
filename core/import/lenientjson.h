#pragma once

#include <QByteArray>
#include <QJsonDocument>

// JSON as pages and exports really hold it. Many carry raw line breaks, tabs
// and other control characters inside strings, which a strict reader refuses;
// a bounded pass escapes those (it only tracks whether it stands inside a
// string) and measures the nesting, then QJsonDocument reads the result.
class LenientJson
{
public:
    // A null document when the text is no JSON, is nested deeper than
    // ImportLimits::jsonDepth or is larger than ImportLimits::pageBytes.
    static QJsonDocument parse(const QByteArray& text);

    // The text with control characters inside strings escaped; a null array
    // when the nesting outside strings goes deeper than `maxDepth`.
    static QByteArray escapeControlCharacters(const QByteArray& text, int maxDepth);
};
