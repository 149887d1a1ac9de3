#pragma once

#include "import/importedrecipe.h"

#include <QString>

// Reads a Cooklang recipe: ingredients "@salt", "@olive oil{}",
// "@flour{500%g}", cookware "#pot{}", timers "~{25%minutes}" and
// "~rest{10%min}", metadata as ">> key: value" lines or a front matter of
// "key: value" lines between "---" lines, comments "--" and "[- … -]",
// sections "== Name ==". Each paragraph is a step, written in plain words.
class CooklangReader
{
public:
    // `fallbackTitle` (the file's name) is used when the metadata name none.
    static ImportedRecipe read(const QString& text, const QString& fallbackTitle);

private:
    struct Markup
    {
        QString words;      // what the step says in its place ("25 minutes")
        QString ingredient; // the ingredient line it adds, if any
        qsizetype length = 0;
    };
    static QString withoutComments(const QString& text);
    static Markup markupAt(const QString& line, qsizetype at);
    static QString stepText(const QString& paragraph, QStringList& ingredients);
    static void applyMetadata(ImportedRecipe& recipe, const QString& key, const QString& value);
};
