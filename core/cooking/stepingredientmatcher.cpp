#include "cooking/stepingredientmatcher.h"

#include "text/nameforms.h"
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

namespace {

bool isWordAt(const QString& text, qsizetype position)
{
    if (position < 0 || position >= text.size())
        return false;
    qsizetype length = 0;
    return WordStartMatcher::isWordCharacter(
        WordStartMatcher::characterAt(text, position, &length));
}

bool startsWord(const QString& text, qsizetype position)
{
    if (position == 0)
        return true;
    qsizetype before = position - 1;
    if (before > 0 && text[before].isLowSurrogate())
        --before;
    return !isWordAt(text, before);
}

QStringList formsOf(const QString& name)
{
    const QString folded = NameForms::foldedName(name);
    if (folded.isEmpty())
        return {};
    QStringList forms{folded};
    forms += NameForms::variants(folded);
    const qsizetype lastBlank = folded.lastIndexOf(QLatin1Char(' '));
    if (lastBlank > 0) {
        const QString last = folded.sliced(lastBlank + 1);
        forms.append(last);
        forms += NameForms::variants(last);
    }
    forms.removeDuplicates();
    // The longest form first, so that the longest match is found first.
    std::sort(forms.begin(), forms.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return forms;
}

} // namespace

StepIngredientMatcher::StepIngredientMatcher(const QStringList& names)
{
    for (const QString& name : names) {
        m_forms.append(formsOf(name));
        const QString folded = NameForms::foldedName(name);
        m_unspaced.append(!folded.isEmpty() && TextFolding::isUnspaced(folded.front().unicode()));
    }
}

QList<int> StepIngredientMatcher::matchesIn(const QString& text) const
{
    const QString foldedText = folded(text);
    QList<int> rows;
    for (int row = 0; row < m_forms.size(); ++row) {
        bool found = false;
        for (const QString& form : m_forms[row]) {
            for (qsizetype at = foldedText.indexOf(form); at >= 0 && !found;
                 at = foldedText.indexOf(form, at + 1))
                found = nameLengthAt(row, foldedText, at) > 0;
            if (found)
                break;
        }
        if (found)
            rows.append(row);
    }
    return rows;
}

qsizetype StepIngredientMatcher::nameLengthAt(int row, const QString& folded,
                                              qsizetype position) const
{
    if (row < 0 || row >= m_forms.size())
        return 0;
    if (!m_unspaced[row] && !startsWord(folded, position))
        return 0;
    for (const QString& form : m_forms[row]) {
        if (!QStringView(folded).sliced(position).startsWith(form))
            continue;
        const qsizetype end = position + form.size();
        if (m_unspaced[row] || !isWordAt(folded, end))
            return form.size();
    }
    return 0;
}

QString StepIngredientMatcher::folded(const QString& text)
{
    TextFolding folding;
    return folding.fold(text);
}
