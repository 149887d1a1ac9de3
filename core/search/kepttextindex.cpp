#include "search/kepttextindex.h"

#include "collection/recipecache.h"

#include <QCryptographicHash>

std::unique_ptr<RecipeTextIndex> KeptTextIndex::take(const QString& folder, const QString& rootPath,
                                                     const QStringList& paths,
                                                     const RecipeTextIndex::StopCheck& stop)
{
    if (folder.isEmpty())
        return RecipeTextIndex::build(paths, stop);
    RecipeCache cache(folder, rootPath);
    const QByteArray key = pathsKey(paths);
    if (std::unique_ptr<RecipeTextIndex> kept =
            RecipeTextIndex::fromBytes(cache.keptTextIndex(key))) {
        if (kept->recipeCount() == paths.size())
            return kept;
    }
    // Asked before any file is read: a change kept meanwhile, by this program's
    // scan or another's, makes what is built here unfit to keep.
    const qint64 generation = cache.generation();
    std::unique_ptr<RecipeTextIndex> built = RecipeTextIndex::build(paths, stop);
    if (built && generation >= 0)
        cache.keepTextIndex(key, generation, built->toBytes());
    return built;
}

QByteArray KeptTextIndex::pathsKey(const QStringList& paths)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& path : paths) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(path.utf16()),
                                    path.size() * qsizetype(sizeof(char16_t))));
        hash.addData(QByteArrayView("\0\0", 2)); // no path holds a NUL
    }
    return hash.result();
}
