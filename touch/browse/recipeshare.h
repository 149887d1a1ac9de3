#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

// Sharing a recipe from the recipe page: the recipe written as one
// self-contained HTML page into the cache folder, for the system's handler
// to open or send on.
class RecipeShare : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // The written page's file URL, or an empty URL when the recipe could not
    // be read or the page not written.
    Q_INVOKABLE QUrl writePage(const QString& recipePath) const;
};
