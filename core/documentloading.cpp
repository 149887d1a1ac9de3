#include "documentloading.h"

#include <QFile>

namespace {

QString readWholeFileAsUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString loadDocumentText(const QString& path)
{
    if (!path.isEmpty() && QFile::exists(path))
        return readWholeFileAsUtf8(path);
    return readWholeFileAsUtf8(QStringLiteral(":/docs/intro.md"));
}
