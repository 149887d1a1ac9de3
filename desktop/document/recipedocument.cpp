#include "document/recipedocument.h"

#include "files/recipepicture.h"
#include "files/safefile.h"

#include <QUrl>

namespace {

// The bytes of a data: URL ("data:[type][;base64],payload"), which the
// recipe's own text carries and so are bounded by it.
QByteArray dataUrlBytes(const QUrl& url)
{
    const QByteArray content = url.path(QUrl::FullyEncoded).toLatin1();
    const qsizetype comma = content.indexOf(',');
    if (comma < 0)
        return {};
    const QByteArray payload = QByteArray::fromPercentEncoding(content.mid(comma + 1));
    if (content.first(comma).endsWith(";base64"))
        return QByteArray::fromBase64(payload);
    return payload;
}

QByteArray resourceBytes(const QUrl& url, SafeFile::Status* status)
{
    if (url.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return dataUrlBytes(url);
    if (!url.isLocalFile())
        return {}; // nothing from the network, nothing relative to the working folder
    SafeFile file(url.toLocalFile(), SafeFile::imageSizeLimit);
    *status = file.status();
    // What was checked is what is read, never beyond the limit.
    return file.isOpen() && file.size() > 0 ? file.file().read(file.size()) : QByteArray();
}

} // namespace

QVariant RecipeDocument::loadResource(int type, const QUrl& name)
{
    // The name arrives resolved against the base URL, the recipe file.
    SafeFile::Status status = SafeFile::Status::Opened;
    const QByteArray bytes = resourceBytes(name, &status);
    if (type != QTextDocument::ImageResource)
        return bytes;
    const QString fileName = name.fileName();
    if (status == SafeFile::Status::TooLarge)
        emit pictureRefused(fileName, QStringLiteral("it is too large"));
    else if (const QString problem = RecipePicture::problemWith(bytes); !problem.isEmpty())
        emit pictureRefused(fileName, problem);
    return RecipePicture::fromBytes(bytes);
}
