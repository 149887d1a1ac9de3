#pragma once

#include <QString>

// The program that edits recipes: Saltrove never writes a recipe itself.
class ExternalEditor
{
public:
    // Hands a recipe to the first external editor found on the search path,
    // or to the desktop's default handler when there is none. The editor
    // runs on its own; nothing waits for it.
    static void open(const QString& path);
};
