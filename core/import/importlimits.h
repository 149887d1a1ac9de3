#pragma once

#include <QtGlobal>

// What an import reads at most from files it cannot trust: pages, JSON,
// archives. Anything beyond is refused as a whole, never read in part.
struct ImportLimits
{
    static constexpr qint64 pageBytes = qint64(32) * 1024 * 1024;
    static constexpr qint64 archiveBytes = qint64(256) * 1024 * 1024;
    static constexpr int archiveEntries = 10000;
    static constexpr qint64 entryBytes = qint64(32) * 1024 * 1024;
    // Unpacked bytes per packed byte beyond which an archive is a bomb.
    static constexpr qint64 compressionRatio = 100;
    static constexpr qint64 pictureBytes = qint64(32) * 1024 * 1024;
    static constexpr int jsonDepth = 64;
    // Recipes read from one file; a page listing more is no recipe page.
    static constexpr int recipesPerFile = 10000;
};
