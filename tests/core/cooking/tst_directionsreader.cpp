#include "cooking/directionsreader.h"

#include <QTest>

// Steps are written "section|text" (the section empty when there is none).
class TestDirectionsReader : public QObject
{
    Q_OBJECT

private slots:
    void readsSteps_data();
    void readsSteps();
    void keepsNotesApart_data();
    void keepsNotesApart();
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
        << QStringList{"|Chop:\n• the onions\n• the garlic", "|Fry."};
    QTest::newRow("tight nested list")
        << head + "### Directions\n\n1. Make the sauce\n   - 200 g butter\n   - 2 tbsp flour\n"
                  "2. Bake 20 min.\n"
        << QStringList{"|Make the sauce\n• 200 g butter\n• 2 tbsp flour", "|Bake 20 min."};
    QTest::newRow("bullets indented too little to nest")
        << head + "### Directions\n\n1. 准备配料：\n  - 葱切段\n  - 姜切片\n2. 大火烧开。\n"
        << QStringList{"|准备配料：\n• 葱切段\n• 姜切片", "|大火烧开。"};
    QTest::newRow("bullets after a step ending in a colon")
        << head + "### Directions\n\nFür die Füllung verrühren:\n\n- 250 g Quark\n- 1 Ei\n\n"
                  "Im Ofen 40 Minuten backen.\n"
        << QStringList{"|Für die Füllung verrühren:\n• 250 g Quark\n• 1 Ei",
                       "|Im Ofen 40 Minuten backen."};
    QTest::newRow("deeper nesting")
        << head + "### Directions\n\n- Layer:\n  - pasta\n    - then sauce\n- Bake.\n"
        << QStringList{"|Layer:\n• pasta\n• then sauce", "|Bake."};
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

// Steps are "section|text" as above; notes the same after a "=".
void TestDirectionsReader::keepsNotesApart_data()
{
    QTest::addColumn<QString>("recipe");
    QTest::addColumn<QStringList>("expected");

    const QString steps = QStringLiteral("### Directions\n\n1. Fry.\n2. Serve.\n\n");
    auto row = [&](const char* tag, const QString& after, const QStringList& notes) {
        QTest::newRow(tag) << head + steps + after + tail
                           << QStringList{"|Fry.", "|Serve.", "="} + notes;
    };
    row("English level two", "## Notes\n\n- Keeps a week.\n- Freezes well.\n",
        {"Notes|Keeps a week.", "Notes|Freezes well."});
    row("Chinese level two", "## 附加内容\n\n- 可以加辣椒。\n- [参考视频](v.html)\n",
        {"附加内容|可以加辣椒。", "附加内容|参考视频"});
    row("Chinese sub-heading", "#### 备注\n\n不要炒糊。\n\n#### 参考资料\n\n- 家常菜谱\n",
        {"备注|不要炒糊。", "参考资料|家常菜谱"});
    row("German nutrition", "## Nährwerte\n\n- 320 kcal\n\n## Tipps\n\nMit Dill.\n",
        {"Nährwerte|320 kcal", "Tipps|Mit Dill."});
    row("French level three", "### Remarques\n\nSe garde 3 jours.\n",
        {"Remarques|Se garde 3 jours."});
    row("Spanish", "### Notas:\n\nServir frío.\n", {"Notas|Servir frío."});
    row("Italian", "## Note\n\nSi conserva in frigo.\n", {"Note|Si conserva in frigo."});
    row("Dutch", "## Opmerkingen\n\nLekker met brood.\n", {"Opmerkingen|Lekker met brood."});
    row("Japanese", "## ポイント\n\n弱火で。\n", {"ポイント|弱火で。"});
    row("English variations and references",
        "### Variations\n\nUse leeks.\n\n"
        "### References\n\n- Grandma\n",
        {"Variations|Use leeks.", "References|Grandma"});
    row("bold heading", "**Tips:**\n\nRest the dough.\n", {"Tips|Rest the dough."});
    QTest::newRow("a section that is no notes")
        << head + steps + "## Serving\n\nWarm.\n" + tail
        << QStringList{"|Fry.", "|Serve.", "Serving|Warm.", "="};

    // A notes heading before any step names a section, and steps after
    // notes of a lower level still count.
    QTest::newRow("notes heading before the steps")
        << head + "### Directions\n\n#### Tips\n\n1. Fry.\n" + tail
        << QStringList{"Tips|Fry.", "="};
    QTest::newRow("directions sub-heading after notes")
        << head +
               "### Directions\n\n#### 准备工作\n\n1. 切菜。\n\n#### 小贴士\n\n- 少放盐。\n\n"
               "#### 烹饪\n\n1. 炒。\n" +
               tail
        << QStringList{"准备工作|切菜。", "烹饪|炒。", "=", "小贴士|少放盐。"};
    QTest::newRow("notes without a directions heading")
        << QStringLiteral("# Toast\n\nToast the bread.\n\n### Notes\n\nUse rye.\n")
        << QStringList{"|Toast the bread.", "=", "Notes|Use rye."};
}

void TestDirectionsReader::keepsNotesApart()
{
    QFETCH(QString, recipe);
    QFETCH(QStringList, expected);
    const DirectionsReader::Directions read = DirectionsReader::readAll(recipe);
    QCOMPARE(describe(read.steps) + QStringList{"="} + describe(read.notes), expected);
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
