#include "collection/cookbookwalk.h"

#include "recipe/recipefile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder at `path`, opened for listing; -1 when it cannot be. Links are
// followed only for the root, as a walk that does not follow links does.
int openFolder(const QString& path, bool followLink)
{
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    return ::open(QFile::encodeName(path).constData(), flags);
}

QString childPath(const QString& folder, const char* name)
{
    const QString decoded = QFile::decodeName(name);
    return folder.endsWith(QLatin1Char('/')) ? folder + decoded
                                             : folder + QLatin1Char('/') + decoded;
}

} // namespace

void CookbookWalk::walk(const QString& rootPath, const Found& found, Stamps stamps)
{
    if (rootPath.isEmpty())
        return;
    QStringList folders{QFileInfo(rootPath).absoluteFilePath()};
    for (bool root = true; !folders.isEmpty(); root = false) {
        const QString path = folders.takeLast();
        const int folder = openFolder(path, root);
        if (folder >= 0)
            walkFolder(folder, path, found, folders, stamps); // closes the folder
    }
}

void CookbookWalk::walkFolder(int folder, const QString& path, const Found& found,
                              QStringList& folders, Stamps stamps)
{
    DIR* listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        if (name[0] == '.') // hidden, or the folder itself or its parent
            continue;
        unsigned char type = entry->d_type;
        struct stat status;
        if (type == DT_UNKNOWN) { // some file systems do not say
            if (::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(status.st_mode) ? DT_DIR : S_ISLNK(status.st_mode) ? DT_LNK : DT_REG;
        }
        if (type == DT_DIR) {
            folders.append(childPath(path, name));
            continue;
        }
        if ((type != DT_REG && type != DT_LNK) || !isRecipeName(name))
            continue;
        if (type == DT_REG && stamps == Stamps::Skipped) {
            found(childPath(path, name), FileStamp());
            continue;
        }
        // A link named like a recipe may point at a device or a FIFO: only
        // regular files are recipes. The reader checks again, on the file it opens.
        if (::fstatat(folder, name, &status, 0) == 0 && S_ISREG(status.st_mode))
            found(childPath(path, name), FileStamp::ofStatus(status));
    }
    ::closedir(listing); // closes the folder too
}

bool CookbookWalk::isRecipeName(const char* name)
{
    // Matched without regard to case, as a folder listing filtered by the
    // name filter matches.
    constexpr QLatin1String suffix = RecipeFile::suffix;
    const std::size_t length = std::strlen(name);
    return length >= std::size_t(suffix.size()) &&
           ::strcasecmp(name + length - std::size_t(suffix.size()), suffix.data()) == 0;
}
