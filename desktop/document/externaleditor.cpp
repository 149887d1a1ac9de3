#include "document/externaleditor.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

void ExternalEditor::open(const QString& path)
{
    const QStringList editors = {
        QStringLiteral("scribepad"), QStringLiteral("quillwrite"), QStringLiteral("gedit"),
        QStringLiteral("notepad++"), QStringLiteral("atom"),       QStringLiteral("gvim"),
    };
    for (const QString& editor : editors) {
        const QString executable = QStandardPaths::findExecutable(editor, {});
        if (!executable.isEmpty()) {
            QProcess::startDetached(executable, {path}, QString());
            return;
        }
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
