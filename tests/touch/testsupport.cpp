#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

TestSupport::TestSupport(QObject* parent)
    : QObject(parent)
{}

TestSupport::~TestSupport() = default;

void TestSupport::isolateHome()
{
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QDir(m_home.path()).mkpath(QStringLiteral("Documents"));
}

QString TestSupport::documents() const
{
    return m_home.filePath(QStringLiteral("Documents"));
}

QString TestSupport::newFolder()
{
    m_folders.push_back(
        std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("folder-XXXXXX"))));
    return m_folders.back()->path();
}

bool TestSupport::makeFolder(const QString& path)
{
    return QDir().mkpath(path);
}

bool TestSupport::writeRecipe(const QString& path, const QString& title, const QString& body)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    const QByteArray bytes = ("# " + title + "\n\n" + body + "\n").toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString TestSupport::home() const
{
    return QFile::decodeName(qgetenv("HOME"));
}

void TestSupport::setHome(const QString& path)
{
    qputenv("HOME", QFile::encodeName(path));
}

void TestSupport::setStoredLocation(const QString& path)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    settings.setValue(QStringLiteral("location"), path);
}

QString TestSupport::storedLocation() const
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("General"));
    return settings.value(QStringLiteral("location")).toString();
}
