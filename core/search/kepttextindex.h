#pragma once

#include "search/recipetextindex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

// The Find index of a cookbook, kept between runs beside what the scan keeps
// of it (see RecipeCache), so that Find answers soon after a start instead of
// reading every recipe again. The kept index is taken only while the kept
// recipes are as they were when it was built; otherwise it is built anew
// from the files, and kept.
class KeptTextIndex
{
public:
    // The text index of the recipe files at `paths` (recipe number = position
    // in the list), kept in `folder` for the cookbook at `rootPath`; an empty
    // folder keeps nothing. Null when stopped.
    static std::unique_ptr<RecipeTextIndex> take(const QString& folder, const QString& rootPath,
                                                 const QStringList& paths,
                                                 const RecipeTextIndex::StopCheck& stop);

    // Tells one list of paths, in its order, from any other.
    static QByteArray pathsKey(const QStringList& paths);
};
