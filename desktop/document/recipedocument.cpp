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

QByteArray resourceBytes(const QUrl& url)
{
    if (url.scheme().compare(QLatin1String("data"), Qt::CaseInsensitive) == 0)
        return dataUrlBytes(url);
    if (url.isLocalFile())
        return SafeFile::readAll(url.toLocalFile(), SafeFile::imageSizeLimit);
    return {}; // nothing from the network, nothing relative to the working folder
}

} // namespace

QVariant RecipeDocument::loadResource(int type, const QUrl& name)
{
    // The name arrives resolved against the base URL, the recipe file.
    const QByteArray bytes = resourceBytes(name);
    if (type != QTextDocument::ImageResource)
        return bytes;
    return RecipePicture::fromBytes(bytes);
}
