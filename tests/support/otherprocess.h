#pragma once

// Writes a file from another process, as another program or a sync tool
// does: in place, or through a new file renamed over the old one.

#include <QByteArray>
#include <QProcess>
#include <QString>

namespace otherprocess {

inline bool writeFile(const QString& path, const QByteArray& bytes, bool renameOver)
{
    QProcess shell;
    const QString script = renameOver ? QStringLiteral("cat > \"$1.part\" && mv \"$1.part\" \"$1\"")
                                      : QStringLiteral("cat > \"$1\"");
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), script, QStringLiteral("sh"), path});
    if (!shell.waitForStarted())
        return false;
    shell.write(bytes);
    shell.closeWriteChannel();
    return shell.waitForFinished() && shell.exitStatus() == QProcess::NormalExit &&
           shell.exitCode() == 0;
}

} // namespace otherprocess
