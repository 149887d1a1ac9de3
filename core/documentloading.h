#pragma once

#include <QString>

// The text to display for `path`: the file's whole content decoded as UTF-8;
// the built-in introduction when `path` is empty or names nothing; a null
// string when the file exists but cannot be opened.
QString loadDocumentText(const QString& path);
