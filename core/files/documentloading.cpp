#include "files/documentloading.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString introductionPath = QStringLiteral(":/docs/intro.md");

// Built-in documents are compiled in; nothing else is opened through QFile.
QString readBuiltIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

LoadedDocument loadDocument(const QString& path)
{
    LoadedDocument document;
    if (path.startsWith(QLatin1Char(':'))) {
        document.status =
            QFile::exists(path) ? SafeFile::Status::Opened : SafeFile::Status::Missing;
        document.text =
            readBuiltIn(document.status == SafeFile::Status::Opened ? path : introductionPath);
        return document;
    }
    SafeFile file(path);
    document.status = file.status();
    switch (file.status()) {
    case SafeFile::Status::Missing:
        document.text = readBuiltIn(introductionPath);
        break;
    case SafeFile::Status::Opened:
        document.text = QString::fromUtf8(file.file().read(file.size()));
        if (document.text.isNull())
            document.text = QLatin1String("");
        break;
    case SafeFile::Status::TooLarge:
        document.size = file.size();
        break;
    case SafeFile::Status::NotRegular:
    case SafeFile::Status::Unreadable:
        break;
    }
    return document;
}

QString loadDocumentText(const QString& path)
{
    return loadDocument(path).text;
}

QString tooLargeMessage(const QString& path, qint64 size)
{
    const double mebibytes = double(size) / (1024.0 * 1024.0);
    return QStringLiteral("%1 is too large to show (%2 MiB)")
        .arg(QFileInfo(path).fileName(), QString::number(mebibytes, 'f', 1));
}
