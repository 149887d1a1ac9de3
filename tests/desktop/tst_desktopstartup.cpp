// The start-up steps and icon themes: where the platform's theme lacks an
// icon (as "hicolor" lacks nearly all), an installed full theme supplies it,
// while the theme name stays as it was and the platform's own icons win.
#include "desktopstartup.h"
#include "support/desktoptesthelpers.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QtTest>

using namespace testing;

class DesktopStartupTest : public QObject
{
    Q_OBJECT
private slots:
    void missingIconsComeFromAnInstalledFullTheme_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("ownIcon"); // an icon only the theme itself has
        QTest::newRow("no theme named") << "hicolor" << QString();
        QTest::newRow("a theme with one icon") << "kitchen"
                                               << "document-new";
    }

    void missingIconsComeFromAnInstalledFullTheme()
    {
        QFETCH(QString, theme);
        QFETCH(QString, ownIcon);
        QTemporaryDir themes;
        const QString kitchen = themes.filePath(QStringLiteral("kitchen"));
        QVERIFY(writeFile(kitchen + QStringLiteral("/index.theme"),
                          "[Icon Theme]\nName=kitchen\nDirectories=16x16/actions\n\n"
                          "[16x16/actions]\nSize=16\nType=Fixed\n"));
        QVERIFY(QDir().mkpath(kitchen + QStringLiteral("/16x16/actions")));
        QImage green(16, 16, QImage::Format_ARGB32);
        green.fill(Qt::darkGreen);
        QVERIFY(green.save(kitchen + QStringLiteral("/16x16/actions/document-new.png")));
        QStringList paths = QIcon::themeSearchPaths();
        paths.prepend(themes.path());
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(theme);
        QIcon::setFallbackThemeName(QStringLiteral("hicolor"));

        prepareDesktopApplication();

        QCOMPARE(QIcon::themeName(), theme);
        QVERIFY(QStringList({"breeze", "Adwaita"}).contains(QIcon::fallbackThemeName()));
        for (const char* name : {"document-open-folder", "view-refresh", "document-print"})
            QVERIFY2(!QIcon::fromTheme(QLatin1String(name)).isNull(), name);
        if (!ownIcon.isEmpty()) {
            const QImage shown = QIcon::fromTheme(ownIcon).pixmap(16, 16).toImage();
            QCOMPARE(shown.pixelColor(8, 8), QColor(Qt::darkGreen));
        }
    }
};

QTEST_MAIN(DesktopStartupTest)
#include "tst_desktopstartup.moc"
