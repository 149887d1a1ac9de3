#include "cooking/directionsreader.h"

#include <QTest>

// Steps are written "section|text" (the section empty when there is none).
class TestDirectionsReader : public QObject
{
    Q_OBJECT

private slots:
    void readsSteps_data();
    void readsSteps();
    void findsDurationsInStepText();
    void crLfReadsLikeLf();
};

namespace {

QStringList describe(const QList<CookingStep>& steps)
{
    QStringList described;
    for (const CookingStep& step : steps)
        described.append(step.section + QLatin1Char('|') + step.text);
    return described;
}

const QString head = QStringLiteral("# Soup\n\nIntro text.\n\n### Ingredients\n\n"
                                    " * 2 pcs onions, chopped\n * salt\n\n");
const QString tail = QStringLiteral("\n### Metadata\n\ntags: soup\nservings: 4\n");

} // namespace

void TestDirectionsReader::readsSteps_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("numbered") << head +
                                     "### Directions\n\n1. Chop the onions.\n2. Fry them\n"
                                     "   until golden.\n3. Salt.\n" +
                                     tail
                              << QStringList{"|Chop the onions.", "|Fry them until golden.",
                                             "|Salt."};
    QTest::newRow("bulleted") << head + "### Directions\n\n- Chop.\n- Fry.\n" + tail
                              << QStringList{"|Chop.", "|Fry."};
    QTest::newRow("loose list with nested list")
        << head + "### Directions\n\n1. Chop:\n\n   - the onions\n   - the garlic\n\n2. Fry.\n"
        << QStringList{"|Chop: the onions the garlic", "|Fry."};
    QTest::newRow("paragraphs") << head +
                                       "### Directions\n\nChop the onions.\n\nFry them,\n"
                                       "then salt.\n" +
                                       tail
                                << QStringList{"|Chop the onions.", "|Fry them, then salt."};
    QTest::newRow("sub-headings")
        << head + "### Directions\n\n#### For the sauce\n\n1. Melt butter.\n2. Whisk.\n\n"
                  "**For the pasta:**\n\n1. Boil water.\n"
        << QStringList{"For the sauce|Melt butter.", "For the sauce|Whisk.",
                       "For the pasta|Boil water."};
    QTest::newRow("markup read as text")
        << head + "### Directions\n\nAdd *fresh* **basil** and `salt`, see [the sauce](s.recipe.md)"
                  " and ![a photo of the pan](pan.jpg).<br>Serve &amp; enjoy.\n"
        << QStringList{"|Add fresh basil and salt, see the sauce and a photo of the pan."
                       "Serve & enjoy."};
    QTest::newRow("ends at next heading")
        << head + "### Directions\n\nFry.\n\n### Notes\n\nKeeps a week.\n" + tail
        << QStringList{"|Fry."};
    QTest::newRow("no directions heading") << head + "Fry the onions.\n\nSalt them.\n" + tail
                                           << QStringList{"|Fry the onions.", "|Salt them."};
    QTest::newRow("other heading instead of directions")
        << head + "### Zubereitung\n\nZwiebeln anbraten.\n" + tail
        << QStringList{"|Zwiebeln anbraten."};
    QTest::newRow("no headings at all")
        << QStringLiteral("# Toast\n\nToast the bread.\n\nButter it.\n")
        << QStringList{"|Toast the bread.", "|Butter it."};
    QTest::newRow("no title, no headings")
        << QStringLiteral("Just one line of text") << QStringList{"|Just one line of text"};
    QTest::newRow("only ingredients and an intro")
        << QStringLiteral("# Salad\n\nToss it all.\n\n### Ingredients\n\n * 1 pcs lettuce\n")
        << QStringList{"|Toss it all."};
    QTest::newRow("CJK") << QStringLiteral(
                                "# 番茄炒蛋\n\n### 配料\n\n### Ingredients\n\n* 鸡蛋 3个\n\n"
                                "### Directions\n\n1. 鸡蛋打散。\n2. 小火炒2分钟。\n")
                         << QStringList{"|鸡蛋打散。", "|小火炒2分钟。"};
    QTest::newRow("empty file") << QString() << QStringList();
    QTest::newRow("empty directions fall back")
        << QStringLiteral("# Tea\n\nSteep the leaves.\n\n### Directions\n\n### Metadata\n\nx: y\n")
        << QStringList{"|Steep the leaves."};
}

void TestDirectionsReader::readsSteps()
{
    QFETCH(QString, recipe);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(DirectionsReader::read(recipe)), expected);
}

void TestDirectionsReader::findsDurationsInStepText()
{
    const QList<CookingStep> steps = DirectionsReader::read(
        head + "### Directions\n\n1. Fry **10–12 min**, then rest [half an hour](x).\n");
    QCOMPARE(steps.size(), 1);
    const CookingStep& step = steps.first();
    QCOMPARE(step.text, QStringLiteral("Fry 10–12 min, then rest half an hour."));
    QCOMPARE(step.durations.size(), 2);
    QCOMPARE(step.text.mid(step.durations[0].position, step.durations[0].length),
             QStringLiteral("10–12 min"));
    QCOMPARE(step.durations[0].highSeconds, 720);
    QCOMPARE(step.durations[1].lowSeconds, 1800);
}

void TestDirectionsReader::crLfReadsLikeLf()
{
    const QString lf =
        head + "### Directions\n\n#### Sauce\n\n1. Stir\n   well.\n2. Rest 5 min.\n\nServe.\n" +
        tail;
    QString crlf = lf;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    QCOMPARE(describe(DirectionsReader::read(crlf)), describe(DirectionsReader::read(lf)));
    QCOMPARE(DirectionsReader::read(crlf).size(), 3);
}

QTEST_GUILESS_MAIN(TestDirectionsReader)
#include "tst_directionsreader.moc"
