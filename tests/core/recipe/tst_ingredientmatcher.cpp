#include "recipe/ingredientmatcher.h"
#include "recipe/recipeparser.h"

#include <QtTest>

#include <cstdint>

// The scanner matches ingredient lines by hand; parseIngredientLine() is the
// regular expression that defines them. These cases hold the two together,
// especially where the expression backtracks or starts late.
class TestIngredientMatcher : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithThePattern_data();
    void agreesWithThePattern();
    void agreesWithThePatternOnRandomLines();
};

namespace {

QString describe(const Ingredient& ingredient)
{
    return ingredient.amount + QLatin1Char('|') + ingredient.unit + QLatin1Char('|') +
           ingredient.ingredient;
}

} // namespace

void TestIngredientMatcher::agreesWithThePattern_data()
{
    QTest::addColumn<QString>("line");
    const QStringList lines{
        QString(),
        QStringLiteral("\n"),
        QStringLiteral(" * 1 kg flour\n"),
        QStringLiteral("- 2 tbsp olive oil"),
        QStringLiteral(" * 2 pcs red bell pepper, alternatively yellow bell pepper\r\n"),
        QStringLiteral(" * 1  kg   flour"),
        QStringLiteral(" * salt\n"),
        QStringLiteral(" * 2 eggs\n"),
        QStringLiteral("*1 kg flour"),
        QStringLiteral("+ 1 kg flour"),
        QStringLiteral(" * 1 kg , flour"),
        QStringLiteral(" * 1 kg  , flour"),
        QStringLiteral(" * 1 kg  "),
        QStringLiteral(" * 1 kg "),
        QStringLiteral(" * 1 kg \n"),
        QStringLiteral(" * 1 kg\t flour"),
        QStringLiteral(" *\t1 kg flour"),
        QStringLiteral("Mix well - 2 cups water"),
        QStringLiteral("a-b * 1 kg flour"),
        QStringLiteral("- -- 1 kg"),
        QStringLiteral("- 1, kg flour - 2 l milk"),
        QStringLiteral("-- 1 kg flour"),
        QStringLiteral("* * * *"),
        QStringLiteral("- - - -"),
        QStringLiteral(" - ½ tsp ground cumin,"),
        QStringLiteral(" - 1 kg ,"),
        QStringLiteral(" - 1 kg\u00a0 flour\u00a0\n"),
        QStringLiteral(" * 200 g \u00e9lan vital\u2003"),
        QStringLiteral(" * 1 kg flour, sifted, twice"),
        QStringLiteral("\t* 3 pcs eggs"),
    };
    for (const QString& line : lines)
        QTest::addRow("%s", qPrintable(QString(line).replace(QLatin1Char('\n'), "\\n"))) << line;
}

void TestIngredientMatcher::agreesWithThePattern()
{
    QFETCH(QString, line);
    const Ingredient expected = parseIngredientLine(line);
    const Ingredient matched = matchIngredientLine(line);
    QCOMPARE(describe(matched), describe(expected));
    QCOMPARE(matched.unit.isEmpty(), expected.unit.isEmpty());
}

void TestIngredientMatcher::agreesWithThePatternOnRandomLines()
{
    // Short lines of pieces that steer the pattern, so that every branch and
    // backtracking case comes up many times.
    const QStringList pieces{
        QStringLiteral(" "),      QStringLiteral(" "),    QStringLiteral("  "),
        QStringLiteral(" "),      QStringLiteral("-"),    QStringLiteral("*"),
        QStringLiteral(","),      QStringLiteral("kg"),   QStringLiteral("1"),
        QStringLiteral("\t"),     QStringLiteral("\r\n"), QStringLiteral("\u00bd"),
        QStringLiteral("\u00a0"), QStringLiteral(" * "),  QStringLiteral("a b")};
    std::uint64_t state = 12345;
    auto next = [&state](int bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % std::uint64_t(bound));
    };
    int matches = 0;
    for (int round = 0; round < 20000; ++round) {
        QString line;
        for (int i = 0, length = next(12); i < length; ++i)
            line += pieces[next(int(pieces.size()))];
        const Ingredient expected = parseIngredientLine(line);
        const Ingredient matched = matchIngredientLine(line);
        if (describe(matched) != describe(expected) ||
            matched.unit.isEmpty() != expected.unit.isEmpty())
            QFAIL(qPrintable(QStringLiteral("line \"%1\": %2 instead of %3")
                                 .arg(line, describe(matched), describe(expected))));
        matches += expected.unit.isEmpty() ? 0 : 1;
    }
    QVERIFY(matches > 100); // the lines did reach the interesting cases
}

QTEST_GUILESS_MAIN(TestIngredientMatcher)
#include "tst_ingredientmatcher.moc"
