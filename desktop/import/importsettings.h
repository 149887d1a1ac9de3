#pragma once

#include <QString>

// Where the desktop program remembers the folder that imported recipes went
// to last, in a settings group of its own: "Import", key "folder".
class ImportSettings
{
public:
    // The remembered folder when it still lies inside `collection`, else the
    // collection itself.
    static QString folder(const QString& collection);
    static void setFolder(const QString& folder);
    // Whether `folder` is `collection` or lies below it.
    static bool isInside(const QString& folder, const QString& collection);
};
