#include "collection/titlefilterproxy.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QtTest>

#include <functional>
#include <memory>

// The fast proxy must keep exactly the rows that a plain QSortFilterProxyModel
// with the same settings keeps, for every filter text and every source, also
// while the source changes under it. Every case runs both side by side on the
// same source and compares the source rows each one shows.
class TestTitleFilterProxy : public QObject
{
    Q_OBJECT
private slots:
    void keepsTheRowsOfThePlainProxy_data();
    void keepsTheRowsOfThePlainProxy();
    void foldsCaseAsThePlainProxyForEveryCasedCharacter();
    void followsTypingAndDeleting_data();
    void followsTypingAndDeleting();
    void followsChangesOfTheSource_data();
    void followsChangesOfTheSource();
};

namespace {

const QStringList& varietyOfTitles()
{
    static const QStringList titles{
        QString(),
        QStringLiteral("Tomato Soup"),
        QStringLiteral("SOUP OF THE DAY"),
        QStringLiteral("Stew"),
        QStringLiteral("Smoked paprika soup"),
        QStringLiteral("a.b"),
        QStringLiteral("axb"),
        QStringLiteral("What? Cake*"),
        QStringLiteral("[x] (y) {z}"),
        QStringLiteral("back\\slash"),
        QStringLiteral("$5 ^top| a+b"),
        QStringLiteral("Straße"),
        QStringLiteral("STRASSE"),
        QStringLiteral("STRAẞE"),
        QStringLiteral("Σίσυφος"),
        QStringLiteral("ΣΊΣΥΦΟΣ"),
        QStringLiteral("ſoup"),
        QStringLiteral("\u212a Kelvin"),
        QStringLiteral("İstanbul"),
        QStringLiteral("ıstanbul"),
        QStringLiteral("ISTANBUL"),
        QStringLiteral("café"),
        QStringLiteral("CAFÉ"),
        QStringLiteral("cafe\u0301"),
        QStringLiteral("🍅 Tomato"),
        QStringLiteral("𐐀𐐨 Deseret"),
        QStringLiteral("ǅemal ǆ Ǆ"),
        QStringLiteral("tab\there"),
        QString(QStringLiteral("nul")) + QChar(QChar::Null) + QStringLiteral("in"),
        QString(QChar(0xd800)) + QStringLiteral("lone surrogate soup"),
        QStringLiteral("soup") + QChar(0xdc00),
    };
    return titles;
}

std::unique_ptr<QStandardItemModel> modelOf(const QStringList& titles)
{
    auto model = std::make_unique<QStandardItemModel>();
    for (const QString& title : titles)
        model->appendRow(new QStandardItem(title));
    return model;
}

QList<int> shownSourceRows(const QSortFilterProxyModel& proxy)
{
    QList<int> rows;
    for (int row = 0; row < proxy.rowCount(); ++row)
        rows << proxy.mapToSource(proxy.index(row, 0)).row();
    return rows;
}

// Both proxies on one source, with the same case sensitivity.
struct SideBySide
{
    explicit SideBySide(QAbstractItemModel* source, Qt::CaseSensitivity cs = Qt::CaseInsensitive)
    {
        plain.setFilterCaseSensitivity(cs);
        fast.setFilterCaseSensitivity(cs);
        plain.setSourceModel(source);
        fast.setSourceModel(source);
    }

    // The same text, given to each proxy the way its users give it.
    void setFilterFixedString(const QString& text)
    {
        plain.setFilterFixedString(text);
        fast.setFilterText(text);
    }

    QSortFilterProxyModel plain;
    TitleFilterProxy fast;
    QAbstractItemModelTester tester{&fast, QAbstractItemModelTester::FailureReportingMode::QtTest};
};

} // namespace

void TestTitleFilterProxy::keepsTheRowsOfThePlainProxy_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<Qt::CaseSensitivity>("cs");
    const QStringList filters{
        QString(),
        QStringLiteral("soup"),
        QStringLiteral("SOUP"),
        QStringLiteral("sOuP oF"),
        QStringLiteral("."),
        QStringLiteral("*"),
        QStringLiteral("?"),
        QStringLiteral("a.b"),
        QStringLiteral("[x]"),
        QStringLiteral("\\"),
        QStringLiteral("\\s"),
        QStringLiteral("$"),
        QStringLiteral("^"),
        QStringLiteral("|"),
        QStringLiteral("a+b"),
        QStringLiteral(" "),
        QStringLiteral("\t"),
        QStringLiteral("ß"),
        QStringLiteral("ẞ"),
        QStringLiteral("ss"),
        QStringLiteral("straße"),
        QStringLiteral("σ"),
        QStringLiteral("ς"),
        QStringLiteral("Σ"),
        QStringLiteral("s"),
        QStringLiteral("k"),
        QStringLiteral("i"),
        QStringLiteral("I"),
        QStringLiteral("İ"),
        QStringLiteral("ı"),
        QStringLiteral("é"),
        QStringLiteral("É"),
        QStringLiteral("e\u0301"),
        QStringLiteral("ǆ"),
        QStringLiteral("ǅ"),
        QStringLiteral("🍅"),
        QStringLiteral("𐐨"),
        QStringLiteral("𐐀"),
        QString(QChar(QChar::Null)),
        QString(QChar(0xd800)),
        QString(QChar(0xdc00)),
        QStringLiteral("no such title"),
    };
    for (const Qt::CaseSensitivity cs : {Qt::CaseInsensitive, Qt::CaseSensitive}) {
        for (const QString& filter : filters) {
            QString name;
            for (const QChar c : filter)
                name += QStringLiteral(" %1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            QTest::addRow("%s%s", cs == Qt::CaseInsensitive ? "any case" : "exact case",
                          qPrintable(name))
                << filter << cs;
        }
    }
}

void TestTitleFilterProxy::keepsTheRowsOfThePlainProxy()
{
    QFETCH(QString, filter);
    QFETCH(Qt::CaseSensitivity, cs);
    const auto source = modelOf(varietyOfTitles());
    SideBySide proxies(source.get(), cs);
    // A lone surrogate makes no valid expression: the plain proxy then shows
    // nothing and warns once for every row.
    const bool validText = QStringView(filter).isValidUtf16();
    if (!validText)
        QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    const auto restoreWarnings = qScopeGuard([] { QLoggingCategory::setFilterRules({}); });
    // Start from a narrower filter, so that the text also widens the list.
    proxies.setFilterFixedString(QStringLiteral("so"));
    proxies.setFilterFixedString(filter);
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
    // A filter that is no fixed string at all is the base class's to answer.
    if (!validText) {
        QCOMPARE(shownSourceRows(proxies.fast), QList<int>());
        return;
    }
    const QString pattern = QRegularExpression::escape(filter) + QStringLiteral("\\w?");
    proxies.fast.setFilterText(QString());
    proxies.plain.setFilterRegularExpression(pattern);
    proxies.fast.setFilterRegularExpression(pattern);
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
}

void TestTitleFilterProxy::foldsCaseAsThePlainProxyForEveryCasedCharacter()
{
    // Every character that has another case, sixteen to a title, and each of
    // them typed alone: a character the fast proxy folds differently from the
    // regular expression engine shows or hides some title the other does not.
    QStringList cased;
    for (char32_t c = 1; c <= 0x1ffff; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        if (QChar::toLower(c) != c || QChar::toUpper(c) != c || QChar::toCaseFolded(c) != c)
            cased << QString::fromUcs4(&c, 1);
    }
    QVERIFY(cased.size() > 2000);
    QStringList titles;
    for (qsizetype at = 0; at < cased.size(); at += 16)
        titles << cased.mid(at, 16).join(QString());
    const auto source = modelOf(titles);
    SideBySide proxies(source.get());
    for (const QString& character : std::as_const(cased)) {
        proxies.setFilterFixedString(character);
        const QList<int> expected = shownSourceRows(proxies.plain);
        QVERIFY2(shownSourceRows(proxies.fast) == expected,
                 qPrintable(QStringLiteral("U+%1").arg(character.toUcs4().value(0), 4, 16,
                                                       QLatin1Char('0'))));
    }
}

// Typing on narrows the last answer, deleting goes back to answers given
// before, and a new text starts afresh; each step must show what the plain
// proxy shows, whether or not the idle event loop has built the keys yet.
void TestTitleFilterProxy::followsTypingAndDeleting_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<bool>("idleFirst");
    const QStringList typed = {"s",   "so", "sou", "soup", "sou",  "so", "s",    "",     "t", "to",
                               "tom", "to", "ta",  "t",    "soup", "",   "STRA", "stra", "ß", ""};
    QTest::newRow("keys built while idle") << typed << true;
    QTest::newRow("keys built at the first key") << typed << false;
    QTest::newRow("case changes between keys")
        << QStringList{"SOUP", "case", "soup", "so", "case", "s"} << true;
}

void TestTitleFilterProxy::followsTypingAndDeleting()
{
    QFETCH(QStringList, texts);
    QFETCH(bool, idleFirst);
    QStringList titles;
    for (int i = 0; i < 50; ++i)
        titles += varietyOfTitles();
    const auto source = modelOf(titles);
    SideBySide proxies(source.get());
    if (idleFirst)
        QCoreApplication::processEvents(); // the idle builder's turns
    bool caseSensitive = false;
    for (const QString& text : texts) {
        if (text == QLatin1String("case")) {
            caseSensitive = !caseSensitive;
            const auto cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
            proxies.plain.setFilterCaseSensitivity(cs);
            proxies.fast.setFilterCaseSensitivity(cs);
        } else {
            proxies.setFilterFixedString(text);
        }
        QVERIFY2(shownSourceRows(proxies.fast) == shownSourceRows(proxies.plain), qPrintable(text));
    }
}

using SourceChange = std::function<void(QStandardItemModel&)>;

void TestTitleFilterProxy::followsChangesOfTheSource_data()
{
    QTest::addColumn<SourceChange>("change");
    QTest::newRow("row appended") << SourceChange([](QStandardItemModel& model) {
        model.appendRow(new QStandardItem(QStringLiteral("Pea soup")));
    });
    QTest::newRow("rows inserted in the middle") << SourceChange([](QStandardItemModel& model) {
        model.insertRows(2, 3);
        model.setData(model.index(3, 0), QStringLiteral("Lentil SOUP"));
    });
    QTest::newRow("row inserted first") << SourceChange([](QStandardItemModel& model) {
        model.insertRow(0, new QStandardItem(QStringLiteral("soup first")));
    });
    QTest::newRow("rows removed") << SourceChange(
        [](QStandardItemModel& model) { model.removeRows(1, 3); });
    QTest::newRow("last row removed")
        << SourceChange([](QStandardItemModel& model) { model.removeRow(model.rowCount() - 1); });
    QTest::newRow("title changed to match")
        << SourceChange([](QStandardItemModel& model) { model.item(3)->setText("Stew soup"); });
    QTest::newRow("title changed not to match")
        << SourceChange([](QStandardItemModel& model) { model.item(1)->setText("Tomato"); });
    QTest::newRow("other role changed") << SourceChange([](QStandardItemModel& model) {
        model.item(3)->setData(QStringLiteral("soup"), Qt::UserRole + 1);
    });
    QTest::newRow("rows moved") << SourceChange(
        [](QStandardItemModel& model) { model.moveRows({}, 0, 2, {}, model.rowCount()); });
    QTest::newRow("sorted") << SourceChange(
        [](QStandardItemModel& model) { model.sort(0, Qt::DescendingOrder); });
    QTest::newRow("cleared") << SourceChange([](QStandardItemModel& model) { model.clear(); });
    QTest::newRow("column inserted first")
        << SourceChange([](QStandardItemModel& model) { model.insertColumn(0); });
    QTest::newRow("children added") << SourceChange([](QStandardItemModel& model) {
        model.item(3)->appendRow(new QStandardItem(QStringLiteral("soup child")));
        model.item(1)->appendRow(new QStandardItem(QStringLiteral("no child")));
    });
}

void TestTitleFilterProxy::followsChangesOfTheSource()
{
    QFETCH(SourceChange, change);
    const auto source = modelOf(varietyOfTitles());
    SideBySide proxies(source.get());
    proxies.setFilterFixedString(QStringLiteral("SOUP"));
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));

    change(*source);
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
    for (const QString& filter : {QStringLiteral("s"), QStringLiteral("stew"), QString()}) {
        proxies.setFilterFixedString(filter);
        QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
    }
    // The filter text can also be looked for in another role or column.
    proxies.setFilterFixedString(QStringLiteral("soup"));
    proxies.plain.setFilterRole(Qt::UserRole + 1);
    proxies.fast.setFilterRole(Qt::UserRole + 1);
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
    proxies.plain.setFilterKeyColumn(1);
    proxies.fast.setFilterKeyColumn(1);
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));

    // A new source replaces what was kept of the old one.
    const auto other = modelOf({QStringLiteral("Soup elsewhere"), QStringLiteral("Stew")});
    proxies.plain.setSourceModel(other.get());
    proxies.fast.setSourceModel(other.get());
    proxies.plain.setFilterRole(Qt::DisplayRole);
    proxies.fast.setFilterRole(Qt::DisplayRole);
    proxies.plain.setFilterKeyColumn(0);
    proxies.fast.setFilterKeyColumn(0);
    QCOMPARE(shownSourceRows(proxies.fast), QList<int>({0}));
    QCOMPARE(shownSourceRows(proxies.fast), shownSourceRows(proxies.plain));
}

QTEST_GUILESS_MAIN(TestTitleFilterProxy)
#include "tst_titlefilterproxy.moc"
