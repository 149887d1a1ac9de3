#include "cooking/durationfinder.h"

#include <QTest>

// Each expected span is written as "text=low" or "text=low-high", in seconds.
class TestDurationFinder : public QObject
{
    Q_OBJECT

private slots:
    void findsSpans_data();
    void findsSpans();
    void leavesOtherNumbersAlone_data();
    void leavesOtherNumbersAlone();
};

namespace {

QStringList describe(const QString& text, const QList<StepDuration>& durations)
{
    QStringList described;
    for (const StepDuration& duration : durations) {
        QString line = text.mid(duration.position, duration.length) + QLatin1Char('=') +
                       QString::number(duration.lowSeconds);
        if (duration.isRange())
            line += QLatin1Char('-') + QString::number(duration.highSeconds);
        described.append(line);
    }
    return described;
}

} // namespace

void TestDurationFinder::findsSpans_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    auto row = [](const char* name, const QString& text, const QStringList& expected) {
        QTest::newRow(name) << text << expected;
    };
    // English
    row("minutes", "Simmer for 20 minutes.", {"20 minutes=1200"});
    row("min abbreviation", "Bake 45 min at 180 °C.", {"45 min=2700"});
    row("mins", "Rest 5 mins, then slice.", {"5 mins=300"});
    row("hrs", "Chill 2 hrs or longer", {"2 hrs=7200"});
    row("seconds", "Blend for 30 seconds", {"30 seconds=30"});
    row("an hour", "Leave to rise for an hour.", {"an hour=3600"});
    row("a minute", "Stir for a minute", {"a minute=60"});
    row("half an hour", "Marinate half an hour.", {"half an hour=1800"});
    row("an hour and a half", "Braise an hour and a half", {"an hour and a half=5400"});
    row("decimal hours", "Roast 1.5 hours", {"1.5 hours=5400"});
    row("mixed fraction", "Cook 1 1/2 hours", {"1 1/2 hours=5400"});
    row("glyph fraction", "Cook 1½ hours", {"1½ hours=5400"});
    row("range hyphen", "Bake 25-30 minutes", {"25-30 minutes=1500-1800"});
    row("range en dash", "Bake 10–15 min", {"10–15 min=600-900"});
    row("range to", "Simmer 10 to 15 minutes", {"10 to 15 minutes=600-900"});
    row("range of hours", "Braise 2-3 hours", {"2-3 hours=7200-10800"});
    row("compound", "Bake 1 hour 20 minutes", {"1 hour 20 minutes=4800"});
    row("compound with and", "Bake 1 hour and 20 minutes", {"1 hour and 20 minutes=4800"});
    row("hour letter", "Bake 1h30 then cool 10 min", {"1h30=5400", "10 min=600"});
    row("hour letter and minutes", "1h 15min", {"1h 15min=4500"});
    row("two spans", "Fry 2 minutes, turn, fry 3 minutes more", {"2 minutes=120", "3 minutes=180"});
    // German
    row("Minuten", "Bei 180 °C 25-30 Min. backen.", {"25-30 Min.=1500-1800"});
    row("Stunden", "2 Stunden gehen lassen", {"2 Stunden=7200"});
    row("Std. Min.", "Garzeit 1 Std. 15 Min. im Ofen", {"1 Std. 15 Min.=4500"});
    row("full stop ends the sentence", "Rest 5 min. Then 10 min.", {"5 min=300", "10 min=600"});
    row("bis", "10 bis 15 Minuten köcheln", {"10 bis 15 Minuten=600-900"});
    row("eine Stunde", "eine Stunde ruhen lassen", {"eine Stunde=3600"});
    row("eine halbe Stunde", "eine halbe Stunde ziehen lassen", {"eine halbe Stunde=1800"});
    row("anderthalb", "anderthalb Stunden schmoren", {"anderthalb Stunden=5400"});
    row("Sekunden", "30 Sekunden mixen", {"30 Sekunden=30"});
    row("decimal comma", "1,5 Stunden garen", {"1,5 Stunden=5400"});
    // French
    row("heure", "Laisser reposer une heure.", {"une heure=3600"});
    row("demi-heure", "Cuire une demi-heure", {"une demi-heure=1800"});
    row("heure et demie", "Cuire une heure et demie", {"une heure et demie=5400"});
    row("h compound", "Cuire 1 h 30 à feu doux", {"1 h 30=5400"});
    row("à range", "Cuire 10 à 15 minutes", {"10 à 15 minutes=600-900"});
    // Spanish
    row("minutos", "Hornear 20 minutos", {"20 minutos=1200"});
    row("a range", "Cocer 10 a 15 minutos", {"10 a 15 minutos=600-900"});
    row("hora y media", "Cocer una hora y media", {"una hora y media=5400"});
    row("media hora", "Reposar media hora", {"media hora=1800"});
    row("horas compound", "Cocer 1 hora y 20 minutos", {"1 hora y 20 minutos=4800"});
    // Italian
    row("minuti", "Cuocere per 15 minuti", {"15 minuti=900"});
    row("un'ora", "Lasciare riposare un'ora", {"un'ora=3600"});
    row("mezz'ora", "Cuocere per mezz’ora", {"mezz’ora=1800"});
    row("ore", "Marinare 2 ore", {"2 ore=7200"});
    // Dutch
    row("minuten", "Bak 10 minuten", {"10 minuten=600"});
    row("uur", "Laat 1 uur rijzen", {"1 uur=3600"});
    row("een half uur", "Laat een half uur staan", {"een half uur=1800"});
    row("tot", "Kook 10 tot 12 minuten", {"10 tot 12 minuten=600-720"});
    // Chinese
    row("分钟", "小火煮20分钟", {"20分钟=1200"});
    row("小时", "腌制2小时", {"2小时=7200"});
    row("半小时", "静置半小时", {"半小时=1800"});
    row("一个半小时", "炖一个半小时", {"一个半小时=5400"});
    row("Chinese numeral", "焖十五分钟", {"十五分钟=900"});
    row("Chinese compound", "蒸1小时20分钟", {"1小时20分钟=4800"});
    row("Chinese range", "煮10-15分钟", {"10-15分钟=600-900"});
    row("秒", "焯水30秒", {"30秒=30"});
    // Japanese
    row("分", "弱火で30分煮る", {"30分=1800"});
    row("時間半", "1時間半寝かせる", {"1時間半=5400"});
    row("時間 compound", "1時間30分焼く", {"1時間30分=5400"});
    row("full-width digits", "３０分蒸らす", {"３０分=1800"});
    // limits
    row("48 hours", "Cure 48 hours", {"48 hours=172800"});
    // Numbers in words and a word between the number and its unit
    row("five", "Stir for five minutes.", {"five minutes=300"});
    row("about ten", "Bake about ten minutes", {"ten minutes=600"});
    row("twenty-five", "Bake twenty-five minutes", {"twenty-five minutes=1500"});
    row("twenty five", "Rest Twenty five minutes", {"Twenty five minutes=1500"});
    row("thirty seconds", "Blend thirty seconds", {"thirty seconds=30"});
    row("more minutes", "Cook 2-3 more minutes", {"2-3 more minutes=120-180"});
    row("five more", "Cook five more minutes", {"five more minutes=300"});
    row("zwei Stunden", "zwei Stunden ruhen lassen", {"zwei Stunden=7200"});
    row("fünfzehn", "fünfzehn Minuten backen", {"fünfzehn Minuten=900"});
    row("fünfundzwanzig", "fünfundzwanzig Minuten backen", {"fünfundzwanzig Minuten=1500"});
    row("dreißig", "Dreißig Minuten kochen", {"Dreißig Minuten=1800"});
    row("weitere", "noch zwei weitere Minuten", {"zwei weitere Minuten=120"});
    row("dix", "Cuire dix minutes", {"dix minutes=600"});
    row("vingt-cinq", "Cuire vingt-cinq minutes", {"vingt-cinq minutes=1500"});
    row("vingt et un", "Cuire vingt et une minutes", {"vingt et une minutes=1260"});
    row("dix-sept", "Cuire dix-sept minutes", {"dix-sept minutes=1020"});
    row("veinte", "Hornear veinte minutos", {"veinte minutos=1200"});
    row("treinta y cinco", "Hornear treinta y cinco minutos", {"treinta y cinco minutos=2100"});
    row("veinticinco", "Cocer veinticinco minutos", {"veinticinco minutos=1500"});
    row("dieci", "Cuocere dieci minuti", {"dieci minuti=600"});
    row("ventotto", "Cuocere ventotto minuti", {"ventotto minuti=1680"});
    row("ventitré", "Cuocere ventitré minuti", {"ventitré minuti=1380"});
    row("tien", "Bak tien minuten", {"tien minuten=600"});
    row("vijfentwintig", "Bak vijfentwintig minuten", {"vijfentwintig minuten=1500"});
    row("tweeëntwintig", "Bak tweeëntwintig minuten", {"tweeëntwintig minuten=1320"});
    row("sixty", "Roast sixty minutes", {"sixty minutes=3600"});
}

void TestDurationFinder::findsSpans()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(describe(text, DurationFinder::find(text)), expected);
}

void TestDurationFinder::leavesOtherNumbersAlone_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("celsius") << "Heat the oven to 180 °C.";
    QTest::newRow("fahrenheit") << "Preheat to 350°F";
    QTest::newRow("Grad") << "Backofen auf 200 Grad vorheizen";
    QTest::newRow("gas mark") << "Gas Mark 4";
    QTest::newRow("grams") << "Add 200 g sugar";
    QTest::newRow("grams glued") << "Add 200g sugar and 2 eggs";
    QTest::newRow("size") << "Use a 20 cm tin";
    QTest::newRow("time of day") << "Start at 10:30 and serve at 8 pm";
    QTest::newRow("Uhr") << "Um 18 Uhr servieren";
    QTest::newRow("French clock") << "Servir à 20 h";
    QTest::newRow("a few minutes") << "Cook a few minutes";
    QTest::newRow("several") << "Einige Minuten ruhen lassen";
    QTest::newRow("overnight") << "Soak overnight";
    QTest::newRow("over two days") << "Cure for 72 hours";
    QTest::newRow("days") << "Ferment 3 days";
    QTest::newRow("a second time") << "Stir a second time";
    QTest::newRow("einige Stunden") << "einige Stunden ziehen lassen";
    QTest::newRow("a few more minutes") << "Cook a few more minutes";
    QTest::newRow("several more") << "Bake several more minutes";
    QTest::newRow("five eggs") << "Beat five eggs for the batter";
    QTest::newRow("no sixty-one") << "Wait sixty-one minutes";
    QTest::newRow("one second time") << "Stir one second time";
    QTest::newRow("minced") << "Add 2 minced cloves";
    QTest::newRow("hot") << "Serve 4 hot";
    QTest::newRow("Chinese fraction") << "加入三分之一的糖";
    QTest::newRow("no number") << "Bake for minutes until golden";
    QTest::newRow("too short to time") << "Flash-heat 1/1000 sec";
    QTest::newRow("zero") << "Bake 0 minutes";
    QTest::newRow("empty") << "";
}

void TestDurationFinder::leavesOtherNumbersAlone()
{
    QFETCH(QString, text);
    QCOMPARE(describe(text, DurationFinder::find(text)), QStringList());
}

QTEST_GUILESS_MAIN(TestDurationFinder)
#include "tst_durationfinder.moc"
