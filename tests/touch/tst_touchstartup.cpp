#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Starts the built program as a user would, offscreen, with a home of its own.
class TestTouchStartup : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    // Output lines are "<category>: <message>"; frames are reported by the
    // render loop once the event loop shows the window.
    static constexpr const char* frameCategory = "qt.scenegraph.time.renderloop";

    QProcessEnvironment environment(const QString& style) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
        env.insert("XDG_DATA_HOME", m_home.filePath(".local/share"));
        env.insert("XDG_CACHE_HOME", m_home.filePath(".cache"));
        env.insert("XDG_RUNTIME_DIR", m_home.filePath("runtime"));
        env.insert("QML_IMPORT_PATH", TOUCH_IMPORT_PATH);
        env.insert("QT_QUICK_CONTROLS_STYLE", style);
        env.insert("QML_IMPORT_TRACE", "1");
        env.insert("QT_LOGGING_RULES", QStringLiteral("%1.debug=true").arg(frameCategory));
        env.insert("QT_MESSAGE_PATTERN", "%{category}: %{message}");
        return env;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QDir home(m_home.path());
        QVERIFY(home.mkpath("runtime"));
        QVERIFY(QFile::setPermissions(m_home.filePath("runtime"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(home.mkpath("Documents/recipes"));
        QFile recipe(m_home.filePath("Documents/recipes/soup.recipe.md"));
        QVERIFY(recipe.open(QIODevice::WriteOnly));
        recipe.write("# Soup\n\nHot.\n");
    }

    void startsShowsItsWindowAndRunsUntilClosed_data()
    {
        QTest::addColumn<QString>("userStyle");
        QTest::newRow("no style chosen") << QString();
        QTest::newRow("another style chosen") << QStringLiteral("Fusion");
    }

    void startsShowsItsWindowAndRunsUntilClosed()
    {
        QFETCH(QString, userStyle);
        QProcess program;
        program.setProcessEnvironment(environment(userStyle));
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(SALTROVETOUCH_BINARY), QStringList());
        QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));

        QByteArray output;
        auto shownFrame = [&] {
            output += program.readAll();
            return output.contains(QByteArray(frameCategory) + ": Frame rendered") ||
                   program.state() == QProcess::NotRunning;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shownFrame(), 60000);
        // It draws its window from its event loop, so it is up and still runs.
        QCOMPARE(program.state(), QProcess::Running);

        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        output += program.readAll();

        QStringList unexpected;
        bool material = false;
        const QList<QByteArray> lines = output.split('\n');
        for (const QByteArray& raw : lines) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1String(frameCategory)))
                continue;
            // Material builds on the Basic style, which therefore loads too.
            if (line.startsWith(QLatin1String("qt.qml.import: "))) {
                material = material || line.contains("Controls/Material/qmldir");
                if (line.contains(QRegularExpression("Controls/(Fusion|Imagine|Universal)/")))
                    unexpected << line;
                continue;
            }
            unexpected << line; // a QML warning or error, or any other message
        }
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join('\n')));
        QVERIFY2(material, "the Material style was not loaded");
    }
};

QTEST_GUILESS_MAIN(TestTouchStartup)
#include "tst_touchstartup.moc"
