#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Finds which of a recipe's ingredients a step names. Names are compared as
// the Find pane compares words: without regard to case and accents, at word
// starts, and here as whole words, singular and plural alike; the last word of
// a longer name counts on its own ("lentils" names "red lentils"). Names in
// scripts written without spaces are found anywhere in the text.
class StepIngredientMatcher
{
public:
    explicit StepIngredientMatcher(const QStringList& names);

    // Rows of the names the text names, in the order of the names, each once.
    QList<int> matchesIn(const QString& text) const;

    // Whether one of the forms of name `row` starts at `position` of `folded`
    // (text folded by TextFolding): the length of the longest, or 0.
    qsizetype nameLengthAt(int row, const QString& folded, qsizetype position) const;

    // `text` folded as the names are.
    static QString folded(const QString& text);

private:
    // Every form of each name: the whole name, the other forms of its last
    // word's ending and the last word alone.
    QList<QStringList> m_forms;
    QList<bool> m_unspaced;
};
