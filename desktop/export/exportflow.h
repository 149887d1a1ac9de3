#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Exporting recipes from the desktop: asks where and in which form, then lets
// the core write them. One recipe becomes one HTML page, PDF or JSON-LD file;
// several become one JSON-LD array, or one HTML page or PDF each in the folder
// of the chosen file.
class ExportFlow : public QObject
{
    Q_OBJECT
public:
    enum class Format { Html, Pdf, JsonLd };
    // Asks for the file to write, starting at `suggested`; sets the form
    // chosen. Empty when cancelled.
    using DestinationQuestion = std::function<QString(const QString& suggested, Format* format)>;

    // Dialogs open over `dialogParent`, which outlives the flow.
    explicit ExportFlow(QWidget* dialogParent);

    void setDestinationQuestion(DestinationQuestion question) { m_ask = std::move(question); }

public slots:
    void exportRecipes(const QStringList& recipePaths);

signals:
    // Something to tell the user in the status bar.
    void message(const QString& text);

private:
    void setUpDialogs();
    static bool writeOne(const QString& recipePath, const QString& target, Format format);
    int writeEach(const QStringList& recipePaths, const QString& folder, Format format);

    QWidget* m_dialogParent; // not owned
    DestinationQuestion m_ask;
};
