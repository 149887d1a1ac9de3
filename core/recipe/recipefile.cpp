#include "recipe/recipefile.h"

#include <QFileInfo>

QString RecipeFile::stemOf(const QString& path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(suffix))
        name.chop(suffix.size());
    return name;
}
