#include "quantity/kitchenunits.h"
#include "recipe/ingredientreading.h"
#include "text/nameforms.h"

#include <QtTest>

// Lines as they stand in real cookbooks, in several languages and scripts,
// each with what a cook reads in it.
class IngredientReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void readsLinesAsCooksWriteThem_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("amount"); // as Amount shows it; "" for none
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("note");

        // The format's own lines read as before.
        QTest::newRow("format line") << " * 2 pcs red bell pepper, alternatively yellow"
                                     << "2"
                                     << "pcs"
                                     << "red bell pepper"
                                     << "alternatively yellow";
        QTest::newRow("dash bullet, CR LF") << "- 250 g red lentils\r\n"
                                            << "250"
                                            << "g"
                                            << "red lentils"
                                            << "";
        QTest::newRow("no bullet") << "1 l vegetable stock"
                                   << "1"
                                   << "l"
                                   << "vegetable stock"
                                   << "";
        QTest::newRow("task box") << "- [ ] 2 kg ripe tomatoes"
                                  << "2"
                                  << "kg"
                                  << "ripe tomatoes"
                                  << "";

        // Numbers as the shopping list reads them.
        QTest::newRow("decimal comma") << "* 1,5 l Milch"
                                       << "1½"
                                       << "l"
                                       << "Milch"
                                       << "";
        QTest::newRow("decimal point") << "* 0.5 cup sugar"
                                       << "½"
                                       << "cup"
                                       << "sugar"
                                       << "";
        QTest::newRow("mixed number") << "* 1 1/2 cups flour"
                                      << "1½"
                                      << "cups"
                                      << "flour"
                                      << "";
        QTest::newRow("mixed with glyph") << "* 1 ½ cups milk"
                                          << "1½"
                                          << "cups"
                                          << "milk"
                                          << "";
        QTest::newRow("glued glyph") << "* 1½ tsp salt"
                                     << "1½"
                                     << "tsp"
                                     << "salt"
                                     << "";
        QTest::newRow("range hyphen") << "* 1-2 tbsp oil"
                                      << "1–2"
                                      << "tbsp"
                                      << "oil"
                                      << "";
        QTest::newRow("range spaced") << "* 1 - 2 tbsp oil"
                                      << "1–2"
                                      << "tbsp"
                                      << "oil"
                                      << "";
        QTest::newRow("range en dash") << "* 2–3 Zehen Knoblauch"
                                       << "2–3"
                                       << "Zehen"
                                       << "Knoblauch"
                                       << "";
        QTest::newRow("range in words") << "* 2 to 3 cups stock"
                                        << "2–3"
                                        << "cups"
                                        << "stock"
                                        << "";

        // Units glued to the number.
        QTest::newRow("500g") << "* 500g potatoes"
                              << "500"
                              << "g"
                              << "potatoes"
                              << "";
        QTest::newRow("1kg") << "- 1kg Mehl"
                             << "1"
                             << "kg"
                             << "Mehl"
                             << "";
        QTest::newRow("120ml") << "* 120ml cream"
                               << "120"
                               << "ml"
                               << "cream"
                               << "";
        QTest::newRow("2L") << "* 2L water"
                            << "2"
                            << "L"
                            << "water"
                            << "";
        QTest::newRow("1/2lbs") << "* 1/2lbs ground beef"
                                << "½"
                                << "lbs"
                                << "ground beef"
                                << "";
        QTest::newRow("range glued, metric note") << "- 1 - 2L (1/4 - 1/2 gal) milk"
                                                  << "1–2"
                                                  << "L"
                                                  << "milk"
                                                  << "1/4 - 1/2 gal";

        // Approximations.
        QTest::newRow("tilde") << "* ~150g (1/3 lb) bacon cubes"
                               << "150"
                               << "g"
                               << "bacon cubes"
                               << "1/3 lb";
        QTest::newRow("ca.") << "* ca. 200 g Sahne"
                             << "200"
                             << "g"
                             << "Sahne"
                             << "";
        QTest::newRow("about") << "* about 2 cups rice"
                               << "2"
                               << "cups"
                               << "rice"
                               << "";

        // Only units are units; sizes belong to the name.
        QTest::newRow("eggs") << "* 3 eggs"
                              << "3"
                              << ""
                              << "eggs"
                              << "";
        QTest::newRow("Eier") << "* 2 Eier"
                              << "2"
                              << ""
                              << "Eier"
                              << "";
        QTest::newRow("half an onion") << "* ½ rote Zwiebel"
                                       << "½"
                                       << ""
                                       << "rote Zwiebel"
                                       << "";
        QTest::newRow("medium onions") << "* 2 medium onions"
                                       << "2"
                                       << ""
                                       << "medium onions"
                                       << "";
        QTest::newRow("two-word line") << "* 1/2 onion"
                                       << "½"
                                       << ""
                                       << "onion"
                                       << "";
        QTest::newRow("German compound") << "* 2 Knoblauchzehen"
                                         << "2"
                                         << ""
                                         << "Knoblauchzehen"
                                         << "";
        QTest::newRow("cloves after the name") << "* 2 garlic cloves"
                                               << "2"
                                               << "cloves"
                                               << "garlic"
                                               << "";
        QTest::newRow("cloves of") << "* 6 cloves of garlic, cut into slivers"
                                   << "6"
                                   << "cloves"
                                   << "garlic"
                                   << "cut into slivers";
        QTest::newRow("padded German") << "- 600g      Lamm- oder Rinderhack"
                                       << "600"
                                       << "g"
                                       << "Lamm- oder Rinderhack"
                                       << "";
        QTest::newRow("padded German glyph") << "- ½             rote Zwiebel"
                                             << "½"
                                             << ""
                                             << "rote Zwiebel"
                                             << "";

        // Kitchen and language-specific measures.
        QTest::newRow("EL") << "* 2 EL Olivenöl"
                            << "2"
                            << "EL"
                            << "Olivenöl"
                            << "";
        QTest::newRow("TL") << "* 1 TL Salz"
                            << "1"
                            << "TL"
                            << "Salz"
                            << "";
        QTest::newRow("Msp.") << "* 1 Msp. Muskat"
                              << "1"
                              << "Msp."
                              << "Muskat"
                              << "";
        QTest::newRow("Pck.") << "* 1 Pck. Vanillezucker"
                              << "1"
                              << "Pck."
                              << "Vanillezucker"
                              << "";
        QTest::newRow("Bund") << "* 1 Bund Petersilie"
                              << "1"
                              << "Bund"
                              << "Petersilie"
                              << "";
        QTest::newRow("Dose") << "* 1 Dose Tomaten (400 g)"
                              << "1"
                              << "Dose"
                              << "Tomaten"
                              << "400 g";
        QTest::newRow("can") << "* 1 can chickpeas"
                             << "1"
                             << "can"
                             << "chickpeas"
                             << "";
        QTest::newRow("pinch as number") << "* 1 pinch salt"
                                         << "1"
                                         << "pinch"
                                         << "salt"
                                         << "";
        QTest::newRow("French spoon") << "* 2 c. à s. d'huile d'olive"
                                      << "2"
                                      << "c. à s."
                                      << "huile d'olive"
                                      << "";
        QTest::newRow("French cloves") << "* 3 gousses d'ail"
                                       << "3"
                                       << "gousses"
                                       << "ail"
                                       << "";
        QTest::newRow("French spoon in words") << "* 1 cuillère à café de sel"
                                               << "1"
                                               << "cuillère à café"
                                               << "sel"
                                               << "";
        QTest::newRow("Spanish") << "* 2 cucharadas de aceite"
                                 << "2"
                                 << "cucharadas"
                                 << "aceite"
                                 << "";
        QTest::newRow("Italian") << "* 2 spicchi di aglio"
                                 << "2"
                                 << "spicchi"
                                 << "aglio"
                                 << "";

        // Names written first.
        QTest::newRow("name, amount") << "* Chickpeas, 400g ( drained )"
                                      << "400"
                                      << "g"
                                      << "Chickpeas"
                                      << "drained";
        QTest::newRow("Chinese name first") << "- 白蘑菇 200 克"
                                            << "200"
                                            << "克"
                                            << "白蘑菇"
                                            << "";
        QTest::newRow("Chinese colon") << "- 盐: 2 g"
                                       << "2"
                                       << "g"
                                       << "盐"
                                       << "";
        QTest::newRow("Chinese equals") << "- 香醋 = 5g"
                                        << "5"
                                        << "g"
                                        << "香醋"
                                        << "";
        QTest::newRow("Chinese full-width colon") << "- 姜蒜：20g"
                                                  << "20"
                                                  << "g"
                                                  << "姜蒜"
                                                  << "";
        QTest::newRow("Chinese note") << "- 大蒜 5 瓣（可选，约 20g）"
                                      << "5"
                                      << "瓣"
                                      << "大蒜"
                                      << "可选，约 20g";
        QTest::newRow("Chinese glued") << "- 鸡蛋2个"
                                       << "2"
                                       << "个"
                                       << "鸡蛋"
                                       << "";
        QTest::newRow("Chinese amount first") << "- 1 个洋葱"
                                              << "1"
                                              << "个"
                                              << "洋葱"
                                              << "";
        QTest::newRow("Japanese spoon first") << "- 醤油 大さじ2"
                                              << "2"
                                              << "大さじ"
                                              << "醤油"
                                              << "";
        QTest::newRow("Japanese count") << "- 卵 2個"
                                        << "2"
                                        << "個"
                                        << "卵"
                                        << "";
        QTest::newRow("English name first") << "* Eggs 3"
                                            << "3"
                                            << ""
                                            << "Eggs"
                                            << "";

        // Words for an amount.
        QTest::newRow("a pinch of") << "* a pinch of salt"
                                    << "a pinch"
                                    << ""
                                    << "salt"
                                    << "";
        QTest::newRow("etwas") << "* etwas Meerrettich"
                               << "etwas"
                               << ""
                               << "Meerrettich"
                               << "";
        QTest::newRow("to taste") << "* salt to taste"
                                  << "to taste"
                                  << ""
                                  << "salt"
                                  << "";
        QTest::newRow("nach Geschmack") << "* Salz nach Geschmack"
                                        << "nach Geschmack"
                                        << ""
                                        << "Salz"
                                        << "";
        QTest::newRow("Chinese to taste") << "- 盐 适量"
                                          << "适量"
                                          << ""
                                          << "盐"
                                          << "";
        QTest::newRow("une pincée") << "* une pincée de sel"
                                    << "une pincée"
                                    << ""
                                    << "sel"
                                    << "";

        // Notes and Markdown.
        QTest::newRow("optional") << "* 1 cup walnuts (optional)"
                                  << "1"
                                  << "cup"
                                  << "walnuts"
                                  << "optional";
        QTest::newRow("amount only in parentheses") << "* Butter (100 g)"
                                                    << "100"
                                                    << "g"
                                                    << "Butter"
                                                    << "";
        QTest::newRow("emphasis") << "* 200 g *fresh* spinach"
                                  << "200"
                                  << "g"
                                  << "fresh spinach"
                                  << "";
        QTest::newRow("underscores") << "* 1 cup __fresh__ basil"
                                     << "1"
                                     << "cup"
                                     << "fresh basil"
                                     << "";
        QTest::newRow("link") << "* 1 cup [pesto](pesto.recipe.md)"
                              << "1"
                              << "cup"
                              << "pesto"
                              << "";
        QTest::newRow("word underscore kept") << "* 1 cup snake_case"
                                              << "1"
                                              << "cup"
                                              << "snake_case"
                                              << "";

        // Nothing to read, or no amount.
        QTest::newRow("bare name") << "* salt"
                                   << ""
                                   << ""
                                   << "salt"
                                   << "";
        QTest::newRow("two words") << "* black pepper"
                                   << ""
                                   << ""
                                   << "black pepper"
                                   << "";
        QTest::newRow("empty bullet") << "* "
                                      << ""
                                      << ""
                                      << ""
                                      << "";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << ""
                               << "";
        QTest::newRow("only a number") << "* 12"
                                       << "12"
                                       << ""
                                       << ""
                                       << "";
        QTest::newRow("unclosed note") << "* 2 eggs (beaten"
                                       << "2"
                                       << ""
                                       << "eggs"
                                       << "beaten";
        QTest::newRow("number in the name kept") << "* Type 00 flour"
                                                 << ""
                                                 << ""
                                                 << "Type 00 flour"
                                                 << "";
    }

    void readsLinesAsCooksWriteThem()
    {
        QFETCH(QString, line);
        QFETCH(QString, amount);
        QFETCH(QString, unit);
        QFETCH(QString, name);
        QFETCH(QString, note);
        const IngredientReading reading = readIngredientLine(line);
        QCOMPARE(reading.amount.toDisplayString(), amount);
        QCOMPARE(reading.unit, unit);
        QCOMPARE(reading.name, name);
        QCOMPARE(reading.note, note);
    }

    void keepsTheAmountAsWritten_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("written");
        QTest::newRow("glued") << "* 500g potatoes"
                               << "500g";
        QTest::newRow("approximate") << "* ca. 200 g Sahne"
                                     << "ca. 200 g";
        QTest::newRow("mixed") << "* 1 1/2 cup flour"
                               << "1 1/2 cup";
        QTest::newRow("name first") << "- 白蘑菇 200 克"
                                    << "200 克";
        QTest::newRow("none") << "* salt"
                              << "";
    }

    void keepsTheAmountAsWritten()
    {
        QFETCH(QString, line);
        QFETCH(QString, written);
        QCOMPARE(readIngredientLine(line).written, written);
    }

    // Whatever a line holds, reading it ends, and in time that grows with it.
    void survivesHostileLines_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::newRow("brackets") << "[";
        QTest::newRow("links") << "[a](";
        QTest::newRow("parentheses") << "((";
        QTest::newRow("numbers") << "1 ";
        QTest::newRow("ranges") << "1-";
        QTest::newRow("glued units") << "1g";
        QTest::newRow("unspaced units") << "大さじ";
        QTest::newRow("commas") << "1,";
        QTest::newRow("escapes") << "\\";
    }

    void survivesHostileLines()
    {
        QFETCH(QString, piece);
        // Long runs of what the reader looks back or ahead for; quadratic work
        // here would run into the test's time-out.
        const QString line = QStringLiteral("* ") + piece.repeated(50000);
        const IngredientReading reading = readIngredientLine(line);
        QVERIFY(reading.name.size() + reading.note.size() + reading.written.size() <=
                line.size() + 2);
    }

    void knowsUnitsAndTheirSums_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("key");
        QTest::newRow("g") << "g"
                           << "g";
        QTest::newRow("grams") << "grams"
                               << "g";
        QTest::newRow("Gramm") << "Gramm"
                               << "g";
        QTest::newRow("克") << "克"
                            << "g";
        QTest::newRow("毫升") << "毫升"
                              << "ml";
        QTest::newRow("EL") << "EL"
                            << "tbsp";
        QTest::newRow("tablespoons") << "tablespoons"
                                     << "tbsp";
        QTest::newRow("大さじ") << "大さじ"
                                << "tbsp";
        QTest::newRow("TL") << "TL"
                            << "tsp";
        QTest::newRow("teaspoon") << "teaspoon"
                                  << "tsp";
        QTest::newRow("Zehen") << "Zehen"
                               << "clove";
        QTest::newRow("pcs") << "pcs"
                             << "piece";
        QTest::newRow("Stk.") << "Stk."
                              << "piece";
        QTest::newRow("unknown word") << "Handful-ish"
                                      << "handful-ish";
    }

    void knowsUnitsAndTheirSums()
    {
        QFETCH(QString, unit);
        QFETCH(QString, key);
        QCOMPARE(KitchenUnits::sumKey(unit), key);
    }

    void findsUnitsInRunningText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::newRow("glued") << "200g sugar" << 3 << 1;
        QTest::newRow("spaced") << "200 ml water" << 4 << 2;
        QTest::newRow("abbreviation stop") << "1 Msp. Muskat" << 2 << 4;
        QTest::newRow("sentence stop not a unit's") << "add 2 g." << 6 << 1;
        QTest::newRow("no unit") << "3 eggs" << 2 << 0;
        QTest::newRow("word that starts like one") << "2 gloves" << 2 << 0;
        QTest::newRow("phrase") << "2 c. à s. huile" << 2 << 7;
        QTest::newRow("measure word before name") << "5瓣大蒜" << 1 << 1;
        QTest::newRow("not at a unit") << "大蒜" << 0 << 0;
    }

    void findsUnitsInRunningText()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(int, length);
        QCOMPARE(KitchenUnits::unitLengthAt(text, from), qsizetype(length));
    }

    void formatsAmounts_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("shown");
        QTest::newRow("grams") << "400"
                               << "g"
                               << "400 g";
        QTest::newRow("a litre of millilitres") << "1000"
                                                << "ml"
                                                << "1 l";
        QTest::newRow("kilograms") << "1500"
                                   << "g"
                                   << "1½ kg";
        QTest::newRow("decilitres stay") << "4"
                                         << "dl"
                                         << "4 dl";
        QTest::newRow("no unit") << "6"
                                 << ""
                                 << "6";
        QTest::newRow("cups") << "1.5"
                              << "cups"
                              << "1½ cups";
        QTest::newRow("Chinese grams stay as written") << "400"
                                                       << "克"
                                                       << "400 克";
        QTest::newRow("text") << "some"
                              << "g"
                              << "some";
    }

    void formatsAmounts()
    {
        QFETCH(QString, amount);
        QFETCH(QString, unit);
        QFETCH(QString, shown);
        QCOMPARE(KitchenUnits::formatAmount(Amount::parse(amount), unit), shown);
    }

    void knowsSingularAndPlural_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("onions") << "onion"
                                << "Onions" << true;
        QTest::newRow("eggs") << "eggs"
                              << "egg" << true;
        QTest::newRow("tomatoes") << "tomato"
                                  << "tomatoes" << true;
        QTest::newRow("berries") << "berry"
                                 << "berries" << true;
        QTest::newRow("Zwiebeln") << "Zwiebel"
                                  << "Zwiebeln" << true;
        QTest::newRow("Eier") << "Ei"
                              << "Eier" << true;
        QTest::newRow("Tomaten") << "Tomate"
                                 << "Tomaten" << true;
        QTest::newRow("poireaux") << "poireau"
                                  << "poireaux" << true;
        QTest::newRow("accents and case") << "Crème"
                                          << "creme" << true;
        QTest::newRow("last word only") << "red onion"
                                        << "red onions" << true;
        QTest::newRow("pomodori") << "pomodoro"
                                  << "pomodori" << true;
        QTest::newRow("ice and rice") << "ice"
                                      << "rice" << false;
        QTest::newRow("different words") << "onion"
                                         << "garlic" << false;
        QTest::newRow("first word differs") << "red onions"
                                            << "white onion" << false;
        QTest::newRow("empty") << ""
                               << "" << false;
    }

    void knowsSingularAndPlural()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(NameForms::sameName(a, b), same);
        QCOMPARE(NameForms::sameName(b, a), same);
    }
};

QTEST_GUILESS_MAIN(IngredientReadingTest)
#include "tst_ingredientreading.moc"
