#include "testsupport.h"

#include "support/recipefiles.h"

#include "support/otherprocess.h"

#include <QClipboard>
#include <QGuiApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSettings>

#include <sys/stat.h>

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

bool TestSupport::writeLongStepRecipe(const QString& path)
{
    return testing::writeFile(path, testing::longStepRecipe);
}

bool TestSupport::makeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

bool TestSupport::makeLink(const QString& target, const QString& link)
{
    return QFile::link(target, link);
}

bool TestSupport::writePicture(const QString& path, int width, int height)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    return picture.save(path); // in the format its suffix names
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

QString TestSupport::readText(const QString& path) const
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool TestSupport::writeTextElsewhere(const QString& path, const QString& text,
                                     bool renameOver) const
{
    return otherprocess::writeFile(path, text.toUtf8(), renameOver);
}

QString TestSupport::clipboardText() const
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboard->text() : QString();
}

void TestSupport::clearSettings()
{
    QSettings settings;
    settings.clear();
    settings.sync();
}
