// Folding without regard to case and accents, and where words start: the
// rules that the text search and the ingredient conditions share.
#include "text/textfolding.h"
#include "text/wordstartmatcher.h"

#include <QtTest>

class WordStartMatcherTest : public QObject
{
    Q_OBJECT
private slots:
    void foldsCaseAccentsAndLigatures_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("accents") << "Crème brûlée"
                                 << "creme brulee";
        QTest::newRow("decomposed accent") << QString::fromUtf8("Cre\xcc\x80me") << "creme";
        QTest::newRow("sharp s") << "Straße"
                                 << "strasse";
        QTest::newRow("capital sharp s") << "STRAẞE"
                                         << "strasse";
        QTest::newRow("upper case") << "STRASSE"
                                    << "strasse";
        QTest::newRow("umlaut") << "Über"
                                << "uber";
        QTest::newRow("ligatures") << "Œuf, ﬁsh and Æble"
                                   << "oeuf, fish and aeble";
        QTest::newRow("stroke letters") << "Smørrebrød, Łódź"
                                        << "smorrebrod, lodz";
        QTest::newRow("Greek final sigma") << "ΣΟΦΟΣ σοφός"
                                           << "σοφοσ σοφοσ";
        QTest::newRow("full-width Latin") << "ＳＯＵＰ"
                                          << "soup";
        QTest::newRow("kana keep their voicing") << "ガーリック"
                                                 << "ガーリック";
        QTest::newRow("decomposed kana composed")
            << QString::fromUtf8("\xe3\x82\xab\xe3\x82\x99") << "ガ";
        QTest::newRow("half-width katakana") << "ｶﾚｰ"
                                             << "カレー";
        QTest::newRow("Han unchanged") << "红烧肉"
                                       << "红烧肉";
        QTest::newRow("astral Han unchanged") << "𠀋𠀋"
                                              << "𠀋𠀋";
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "a"
                                        << "\uFFFDa";
        QTest::newRow("NUL kept") << QString(QChar(0)) + "A" << QString(QChar(0)) + "a";
    }

    void foldsCaseAccentsAndLigatures()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        TextFolding folding;
        QCOMPARE(folding.fold(text), folded);
        // The per-character memory gives the same answer the second time.
        QCOMPARE(folding.fold(text), folded);
    }

    void tagsCompareWithoutCaseOnly()
    {
        QCOMPARE(TextFolding::foldCase(u"Vegetarian"), TextFolding::foldCase(u"VEGETARIAN"));
        QCOMPARE(TextFolding::foldCase(u"Straße"), TextFolding::foldCase(u"STRASSE"));
        QVERIFY(TextFolding::foldCase(u"Crème") != TextFolding::foldCase(u"Creme"));
    }

    void namesMatchAtWordStarts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("matches");
        QTest::newRow("the same") << "onion"
                                  << "onion" << true;
        QTest::newRow("second word") << "red onion"
                                     << "onion" << true;
        QTest::newRow("plural, capital") << "Onions"
                                         << "onion" << true;
        QTest::newRow("inside a word") << "scallion"
                                       << "onion" << false;
        QTest::newRow("end of a word") << "rice"
                                       << "ice" << false;
        QTest::newRow("middle of a word") << "diced"
                                          << "ice" << false;
        QTest::newRow("ice cream") << "Ice cream"
                                   << "ice" << true;
        QTest::newRow("two words") << "Red onions"
                                   << "red onion" << true;
        QTest::newRow("two words, second only") << "red onion"
                                                << "onion red" << false;
        QTest::newRow("accents") << "Crème fraîche"
                                 << "creme FRAICHE" << true;
        QTest::newRow("after a hyphen") << "self-raising flour"
                                        << "raising" << true;
        QTest::newRow("after a bracket") << "(smoked) paprika"
                                         << "smoked" << true;
        QTest::newRow("after a digit") << "2onions"
                                       << "onion" << false;
        QTest::newRow("Han anywhere") << "麻婆豆腐"
                                      << "豆腐" << true;
        QTest::newRow("Han as typed") << "豆腐"
                                      << "腐豆" << false;
        QTest::newRow("Latin after Han") << "豆腐tofu"
                                         << "tofu" << true;
        QTest::newRow("kana voicing matters") << "ガーリック"
                                              << "カーリック" << false;
        QTest::newRow("longer than the name") << "oil"
                                              << "oily" << false;
    }

    void namesMatchAtWordStarts()
    {
        QFETCH(QString, name);
        QFETCH(QString, chosen);
        QFETCH(bool, matches);
        TextFolding folding;
        QCOMPARE(WordStartMatcher::containsAtWordStart(folding.fold(name), folding.fold(chosen)),
                 matches);
    }
};

QTEST_GUILESS_MAIN(WordStartMatcherTest)
#include "tst_wordstartmatcher.moc"
