#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <vector>

// What the page tests need from outside QML: folders and recipe files of
// their own, and the stored collection folder. Everything lives below one
// temporary home that is removed when the tests end.
class TestSupport : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString documents READ documents CONSTANT)
public:
    explicit TestSupport(QObject* parent = nullptr);
    ~TestSupport() override;

    // Points HOME at the temporary home, so that settings and the documents
    // folder are the tests' own.
    void isolateHome();

    QString documents() const;

    // A new empty folder outside the documents folder.
    Q_INVOKABLE QString newFolder();
    // Creates `path` and the folders above it.
    Q_INVOKABLE bool makeFolder(const QString& path);
    // Writes a recipe titled `title` whose body is `body`.
    Q_INVOKABLE bool writeRecipe(const QString& path, const QString& title, const QString& body);
    // The shared recipe with a step of some 900 characters and three spans
    // of time (testing::longStepRecipe), written to `path`.
    Q_INVOKABLE bool writeLongStepRecipe(const QString& path);
    // A FIFO at `path`, and a symbolic link at `link` to `target`.
    Q_INVOKABLE bool makeFifo(const QString& path);
    Q_INVOKABLE bool makeLink(const QString& target, const QString& link);
    // A PNG picture of the given size, in one colour.
    Q_INVOKABLE bool writePicture(const QString& path, int width, int height);
    Q_INVOKABLE void setStoredLocation(const QString& path);
    // Moves HOME (and with it the documents folder) elsewhere, or back.
    Q_INVOKABLE QString home() const;
    Q_INVOKABLE void setHome(const QString& path);
    Q_INVOKABLE QString storedLocation() const;
    // A file's text, or an empty string.
    Q_INVOKABLE QString readText(const QString& path) const;
    // Writes a file from another process, in place or renamed over the old.
    Q_INVOKABLE bool writeTextElsewhere(const QString& path, const QString& text,
                                        bool renameOver) const;
    Q_INVOKABLE QString clipboardText() const;
    // Forgets everything the program keeps in its settings.
    Q_INVOKABLE void clearSettings();

private:
    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QTemporaryDir>> m_folders;
};
