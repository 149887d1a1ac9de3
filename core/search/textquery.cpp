#include "search/textquery.h"

#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

TextQuery::TextQuery(QStringView typed, TextFolding& folding)
{
    const QString folded = folding.fold(typed);
    const QStringView text(folded);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !text[i].isSpace())
            continue;
        const QStringView trimmed = WordStartMatcher::trimmedToWords(text.mid(start, i - start));
        if (!trimmed.isEmpty())
            m_words.append(wordOf(trimmed));
        start = i + 1;
    }
}

TextQuery::Word TextQuery::wordOf(QStringView folded)
{
    Word word;
    word.folded = folded.toString();
    bool inUnspacedRun = false;
    WordStartMatcher::forEachToken(
        folded, [&](QStringView token, WordStartMatcher::TokenKind kind) {
            const bool unspaced = kind == WordStartMatcher::TokenKind::Unspaced;
            // The lone last character of an unspaced run is already the end of
            // the pair before it.
            qsizetype length = 0;
            WordStartMatcher::characterAt(token, 0, &length);
            const bool single = length == token.size();
            if (!(unspaced && single && inUnspacedRun))
                word.pieces.append(token.toString());
            inUnspacedRun = unspaced && !single;
        });
    // Pieces follow each other only in the text; a word cut to the indexed
    // length may go on differently there.
    word.needsTextCheck =
        word.pieces.size() > 1 ||
        (!word.pieces.isEmpty() && word.pieces.first().size() >= WordStartMatcher::maxWordLength);
    return word;
}

bool TextQuery::needsTextCheck() const
{
    for (const Word& word : m_words) {
        if (word.needsTextCheck)
            return true;
    }
    return false;
}

bool TextQuery::matchesText(QStringView foldedText) const
{
    for (const Word& word : m_words) {
        if (!WordStartMatcher::containsAtWordStart(foldedText, word.folded))
            return false;
    }
    return true;
}
