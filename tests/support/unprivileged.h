#pragma once

// Permissions mean nothing to root, who reads every file. A test about files
// that cannot be read therefore runs its own test function again, as the
// unprivileged user "nobody", in a child process, and passes only when the
// child ran that function and it passed there.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace unprivileged {

constexpr uid_t nobody = 65534;
constexpr gid_t nogroup = 65534;

struct Outcome
{
    bool possible = true; // false: the privileges cannot be dropped here
    bool passed = false;
    QString report; // why it failed, or why it could not run
};

// Runs the current test function (and data row) of this test program as
// "nobody", with a home, settings and temporary folder of its own.
inline Outcome rerunAsNobody(int timeoutMs = 120000)
{
    Outcome outcome;
#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer does not support a threaded program that forks and
    // starts threads; the ordinary and AddressSanitizer runs cover these.
    outcome.possible = false;
    outcome.report = QStringLiteral("ThreadSanitizer cannot follow the child process");
    return outcome;
#endif
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        outcome.possible = false;
        outcome.report = QStringLiteral("setpriv is not installed");
        return outcome;
    }
    QTemporaryDir home;
    if (!home.isValid())
        return {true, false, QStringLiteral("no temporary folder for the child")};
    const QStringList folders = {QString(), "tmp",          "runtime", "Documents",
                                 ".config", ".local/share", ".cache"};
    for (const QString& folder : folders) {
        const QString path = home.filePath(folder);
        if (!QDir().mkpath(path) ||
            ::chown(QFile::encodeName(path).constData(), nobody, nogroup) != 0)
            return {true, false, QStringLiteral("cannot hand %1 to nobody").arg(path)};
    }
    ::chmod(QFile::encodeName(home.filePath("runtime")).constData(), 0700);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("TMPDIR", home.filePath("tmp"));
    env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    env.insert("XDG_DOCUMENTS_DIR", home.filePath("Documents"));
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_CACHE_HOME", home.filePath(".cache"));

    QString function = QString::fromLatin1(QTest::currentTestFunction());
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    if (!tag.isEmpty())
        function += QLatin1Char(':') + tag;

    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", "--",
                          QCoreApplication::applicationFilePath(), function});
    if (!child.waitForStarted() || !child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return {true, false, QStringLiteral("the child did not finish: ") + child.errorString()};
    }
    const QString output = QString::fromLocal8Bit(child.readAll());
    // QtTest names the passed function as Class::function(tag).
    const QRegularExpression passLine(
        QStringLiteral("^PASS   : \\w+::%1\\(%2\\)$")
            .arg(QRegularExpression::escape(QString::fromLatin1(QTest::currentTestFunction())),
                 QRegularExpression::escape(tag)),
        QRegularExpression::MultilineOption);
    outcome.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                     output.contains(passLine) && !output.contains(QLatin1String("SKIP   :"));
    outcome.report = output;
    return outcome;
}

} // namespace unprivileged

// For a test function about permissions: as root, run it again as "nobody"
// and end here with that child's verdict; otherwise carry on.
#define SALTROVE_RUN_UNPRIVILEGED()                                                                \
    do {                                                                                           \
        if (::geteuid() == 0) {                                                                    \
            const unprivileged::Outcome outcome = unprivileged::rerunAsNobody();                   \
            if (!outcome.possible)                                                                 \
                QSKIP(qPrintable(QStringLiteral("running as root, and ") + outcome.report));       \
            QVERIFY2(outcome.passed, qPrintable(outcome.report));                                  \
            return;                                                                                \
        }                                                                                          \
    } while (false)
