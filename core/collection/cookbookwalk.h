#pragma once

#include "collection/filestamp.h"

#include <QString>

#include <functional>

// Finds every recipe file of a cookbook folder tree, with its stamp, as the
// scan and the check of a kept index both see it: regular files (or links to
// them) named like a recipe, in every folder below the root that is neither
// hidden nor a link; hidden files are left out. Each folder is opened once and
// its names are looked at in it (fstatat), not by their full paths, which the
// kernel would resolve from the root for every file again.
class CookbookWalk
{
public:
    // Called with each recipe's absolute path and stamp, in no defined order.
    using Found = std::function<void(QString path, const FileStamp& stamp)>;
    // Whether regular files are stamped; a scan that stamps each file on the
    // descriptor it reads spares the walk a call per file. Links are always
    // looked at, to tell whether they lead to a regular file.
    enum class Stamps { Taken, Skipped };

    static void walk(const QString& rootPath, const Found& found, Stamps stamps = Stamps::Taken);

private:
    // Hands the recipes of one open folder to `found`, and appends the paths
    // of its subfolders to `folders`.
    static void walkFolder(int folder, const QString& path, const Found& found,
                           QStringList& folders, Stamps stamps);
    static bool isRecipeName(const char* name);
};
