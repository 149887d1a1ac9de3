#pragma once

#include <QStringView>

#include <functional>

// Where words start in folded text (see TextFolding). A word is a run of
// letters, digits and marks; anything else (blanks, punctuation, symbols)
// separates words. Scripts written without spaces have no word starts: a run
// of their characters can be matched anywhere, so it is indexed as the pairs
// of neighbouring characters it holds.
class WordStartMatcher
{
public:
    // What the index keeps of a piece of text.
    enum class TokenKind {
        Word,     // a whole word, spaced script
        Unspaced, // two neighbouring characters of an unspaced run, or its last one
    };
    using TokenSink = std::function<void(QStringView token, TokenKind kind)>;

    // Words longer than this are kept only up to it; longer search words are
    // checked against the text itself.
    static constexpr qsizetype maxWordLength = 64;

    // The character (a whole code point) starting at `position` and its length
    // in UTF-16 units.
    static char32_t characterAt(QStringView text, qsizetype position, qsizetype* length);

    static bool isWordCharacter(char32_t c);

    // Every token of `folded`, in order, with repeats.
    static void forEachToken(QStringView folded, const TokenSink& sink);

    // Whether `foldedNeedle` occurs in `foldedText` where a word starts (or
    // anywhere, when the needle starts with a character of an unspaced
    // script). "onion" is in "red onions" but not in "scallion".
    static bool containsAtWordStart(QStringView foldedText, QStringView foldedNeedle);

    // `folded` without the separators at either end ("(salt," gives "salt").
    static QStringView trimmedToWords(QStringView folded);
};
