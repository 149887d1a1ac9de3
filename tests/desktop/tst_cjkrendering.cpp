#include <QFontDatabase>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>
#include <QTextLayout>
#include <QtTest>

// A Chinese or Japanese cookbook shows its own script, not boxes: the font
// the platform falls back to for the application's font has real glyphs for
// the text (the project installs a CJK font for this).
class CjkRenderingTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsRealGlyphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Chinese") << QStringLiteral("草果 两颗，八角 2 个");
        QTest::newRow("traditional Chinese") << QStringLiteral("醬油 兩湯匙");
        QTest::newRow("Japanese kana and kanji") << QStringLiteral("しょうが 大さじ2、カップ");
    }

    void drawsRealGlyphs()
    {
        QFETCH(QString, text);
        QTextLayout layout(text, QGuiApplication::font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QVERIFY(!runs.isEmpty());
        qsizetype glyphs = 0;
        for (const QGlyphRun& run : runs) {
            const QRawFont font = run.rawFont();
            for (const quint32 index : run.glyphIndexes()) {
                // Glyph 0 is the font's "missing" box.
                QVERIFY2(index != 0, qPrintable(font.familyName()));
                ++glyphs;
            }
        }
        QCOMPARE(glyphs, text.size());
        for (const QChar c : text) {
            if (c.isSpace())
                continue;
            const bool covered = std::any_of(runs.cbegin(), runs.cend(), [c](const QGlyphRun& run) {
                return run.rawFont().supportsCharacter(c);
            });
            QVERIFY2(covered, qPrintable(QString(c)));
        }
    }
};

QTEST_MAIN(CjkRenderingTest)
#include "tst_cjkrendering.moc"
