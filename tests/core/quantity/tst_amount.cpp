#include "quantity/amount.h"
#include "quantity/fraction.h"

#include <QtTest>

class AmountTest : public QObject
{
    Q_OBJECT

private slots:
    void readsWrittenAmounts_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("shown");
        const int number = int(Amount::Kind::Number);
        const int text = int(Amount::Kind::Text);
        QTest::newRow("whole") << "2" << number << "2";
        QTest::newRow("decimal point") << "1.5" << number << "1½";
        QTest::newRow("decimal comma") << "1,5" << number << "1½";
        QTest::newRow("fraction") << "1/2" << number << "½";
        QTest::newRow("fraction slash") << "3⁄4" << number << "¾";
        QTest::newRow("vulgar half") << "½" << number << "½";
        QTest::newRow("vulgar third") << "⅓" << number << "⅓";
        QTest::newRow("vulgar fifth, shown as decimal") << "⅕" << number << "0.2";
        QTest::newRow("whole with glued fraction") << "1½" << number << "1½";
        QTest::newRow("improper fraction") << "10/4" << number << "2½";
        QTest::newRow("range with hyphen") << "1-2" << number << "1–2";
        QTest::newRow("range with en dash") << "1–2" << number << "1–2";
        QTest::newRow("range of fractions") << "½-1" << number << "½–1";
        QTest::newRow("word") << "a" << text << "a";
        QTest::newRow("some") << "some" << text << "some";
        QTest::newRow("zero denominator") << "1/0" << text << "1/0";
        QTest::newRow("digits and letters") << "2x" << text << "2x";
        QTest::newRow("two points") << "1.2.3" << text << "1.2.3";
        QTest::newRow("number of twenty digits")
            << "12345678901234567890" << text << "12345678901234567890";
        QTest::newRow("dash alone") << "-" << text << "-";
        QTest::newRow("open range") << "1-" << text << "1-";
        QTest::newRow("blank") << "  " << int(Amount::Kind::None) << "";
    }

    void readsWrittenAmounts()
    {
        QFETCH(QString, written);
        QFETCH(int, kind);
        QFETCH(QString, shown);
        const Amount amount = Amount::parse(written);
        QCOMPARE(int(amount.kind()), kind);
        QCOMPARE(amount.toDisplayString(), shown);
    }

    void showsValuesAsACookReadsThem_data()
    {
        QTest::addColumn<qint64>("numerator");
        QTest::addColumn<qint64>("denominator");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole") << qint64(3) << qint64(1) << "3";
        QTest::newRow("zero") << qint64(0) << qint64(1) << "0";
        QTest::newRow("one and a quarter") << qint64(5) << qint64(4) << "1¼";
        QTest::newRow("two thirds") << qint64(2) << qint64(3) << "⅔";
        QTest::newRow("three eighths") << qint64(3) << qint64(8) << "⅜";
        QTest::newRow("seven eighths") << qint64(15) << qint64(8) << "1⅞";
        QTest::newRow("a sixteenth is not rounded away") << qint64(1) << qint64(16) << "0.06";
        QTest::newRow("a thousandth") << qint64(1) << qint64(1000) << "0.001";
        QTest::newRow("a fifth") << qint64(12) << qint64(5) << "2.4";
        QTest::newRow("a sixth") << qint64(7) << qint64(6) << "1.17";
        QTest::newRow("close to a whole") << qint64(2999) << qint64(1000) << "3";
        QTest::newRow("zero denominator") << qint64(1) << qint64(0) << "0";
    }

    void showsValuesAsACookReadsThem()
    {
        QFETCH(qint64, numerator);
        QFETCH(qint64, denominator);
        QFETCH(QString, shown);
        QCOMPARE(Fraction(numerator, denominator).toDisplayString(), shown);
    }

    void calculatesExactly()
    {
        const Fraction third = Amount::parse(QStringLiteral("⅓")).low();
        QCOMPARE(third * Fraction(3), Fraction(1));
        QCOMPARE((third + third + third).toDisplayString(), QStringLiteral("1"));
        const Amount range = Amount::parse(QStringLiteral("1-2")).scaled(Fraction(3, 2));
        QCOMPARE(range.toDisplayString(), QStringLiteral("1½–3"));
        QCOMPARE(range.plus(Amount::parse(QStringLiteral("½"))).toDisplayString(),
                 QStringLiteral("2–3½"));
        // Text is never scaled.
        QCOMPARE(Amount::parse(QStringLiteral("some")).scaled(Fraction(2)).toDisplayString(),
                 QStringLiteral("some"));
        // Sums far beyond any kitchen stay finite and do not wrap around.
        Fraction sum;
        for (qint64 prime : {999999937LL, 999999929LL, 999999893LL, 999999883LL})
            sum = sum + Fraction(1, prime);
        QVERIFY(!(sum < Fraction(0)));
        QVERIFY(sum < Fraction(1));
    }
};

QTEST_GUILESS_MAIN(AmountTest)
#include "tst_amount.moc"
