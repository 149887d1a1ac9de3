#pragma once

#include <QString>

// Where each program keeps its collection folder in its own settings store,
// and the folder it starts with when none is stored.
class CollectionSettings
{
public:
    static QString group();
    static QString locationKey();
    // "recipes" in the user's documents folder, with a trailing slash.
    static QString defaultLocation();
    // The stored folder, or the default one.
    static QString storedLocation();
};
