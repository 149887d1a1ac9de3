#pragma once

#include "files/safefile.h"

#include <QString>

// What was read for display, and what was found at the path.
struct LoadedDocument
{
    QString text;
    SafeFile::Status status = SafeFile::Status::Missing;
    qint64 size = 0; // of a file too large to show
};

// The text to display for `path`: the file's whole content decoded as UTF-8;
// the built-in introduction when `path` is empty or names nothing; a null
// string when something is there that cannot be opened as a regular file of
// at most SafeFile::textSizeLimit bytes.
QString loadDocumentText(const QString& path);
LoadedDocument loadDocument(const QString& path);

// The status-bar text for a document too large to show.
QString tooLargeMessage(const QString& path, qint64 size);
