#include "writing/ingredientsparserpane.h"

#include <QAction>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

QLineEdit* fieldOf(const IngredientsParserPane& pane)
{
    return pane.findChild<QLineEdit*>();
}

QFormLayout* formOf(const IngredientsParserPane& pane)
{
    return pane.findChild<QFormLayout*>();
}

QString text(const QFormLayout* form, int row, QFormLayout::ItemRole role)
{
    const QLayoutItem* item = form->itemAt(row, role);
    const auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label ? label->text() : QStringLiteral("<no label>");
}

// What the three result labels show, top to bottom.
QStringList shownParts(const IngredientsParserPane& pane)
{
    const QFormLayout* form = formOf(pane);
    return {text(form, 0, QFormLayout::FieldRole), text(form, 1, QFormLayout::FieldRole),
            text(form, 2, QFormLayout::FieldRole)};
}

} // namespace

class IngredientsParserPaneTest : public QObject
{
    Q_OBJECT

private slots:
    void showsTheSampleAboveAnEmptyForm()
    {
        IngredientsParserPane pane;
        const QList<QLabel*> labels = pane.findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.cbegin(), labels.cend(), [](const QLabel* label) {
            return label->text() == QStringLiteral(" * 200 ml maple syrup, the good stuff");
        }));
        QLineEdit* field = fieldOf(pane);
        QVERIFY(field);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(field->placeholderText(), QStringLiteral("Search"));

        const QFormLayout* form = formOf(pane);
        QVERIFY(form);
        QCOMPARE(form->rowCount(), 3);
        const QStringList captions = {text(form, 0, QFormLayout::LabelRole),
                                      text(form, 1, QFormLayout::LabelRole),
                                      text(form, 2, QFormLayout::LabelRole)};
        QCOMPARE(captions, (QStringList{"Amount:", "Unit:", "Ingredient:"}));
        QCOMPARE(shownParts(pane), (QStringList{"", "", ""}));
    }

    void typedLinesAreReadAsTheParserReadsThem_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("the sample") << QStringLiteral(" * 200 ml maple syrup, the good stuff")
                                    << QStringList{"200", "ml", "maple syrup"};
        QTest::newRow("hyphen bullet")
            << QStringLiteral("- 1 kg plain flour") << QStringList{"1", "kg", "plain flour"};
        QTest::newRow("two words only") << QStringLiteral("* 2 eggs") << QStringList{"", "", ""};
        QTest::newRow("text before the bullet")
            << QStringLiteral("note * 1 cup sugar") << QStringList{"1", "cup", "sugar"};
        QTest::newRow("nothing after the unit")
            << QStringLiteral(" * 3 tbsp   ,") << QStringList{"3", "tbsp", ""};
        QTest::newRow("no bullet")
            << QStringLiteral("200 ml maple syrup") << QStringList{"", "", ""};
    }

    void typedLinesAreReadAsTheParserReadsThem()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, parts);
        IngredientsParserPane pane;
        QLineEdit* field = fieldOf(pane);
        // Start from a line that parses, so that a failed line must clear it.
        QTest::keyClicks(field, QStringLiteral("* 5 g yeast"));
        QCOMPARE(shownParts(pane), (QStringList{"5", "g", "yeast"}));
        field->selectAll();
        QTest::keyClicks(field, line);
        QCOMPARE(field->text(), line);
        QCOMPARE(shownParts(pane), parts);
    }

    void everyKeystrokeIsParsed()
    {
        IngredientsParserPane pane;
        QLineEdit* field = fieldOf(pane);
        QTest::keyClicks(field, QStringLiteral("* 1 kg oat"));
        QCOMPARE(shownParts(pane), (QStringList{"1", "kg", "oat"}));
        QTest::keyClicks(field, QStringLiteral("s"));
        QCOMPARE(shownParts(pane), (QStringList{"1", "kg", "oats"}));
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QStringLiteral("* 1 kg "));
        QCOMPARE(shownParts(pane), (QStringList{"", "", ""}));
    }

    void theClearActionEmptiesFieldAndLabels()
    {
        IngredientsParserPane pane;
        QLineEdit* field = fieldOf(pane);
        QTest::keyClicks(field, QStringLiteral(" * 200 ml maple syrup"));
        QCOMPARE(shownParts(pane), (QStringList{"200", "ml", "maple syrup"}));

        const QList<QAction*> actions = field->actions();
        QCOMPARE(actions.size(), 1);
        actions.first()->trigger();
        QVERIFY(field->text().isEmpty());
        QCOMPARE(shownParts(pane), (QStringList{"", "", ""}));
    }
};

QTEST_MAIN(IngredientsParserPaneTest)
#include "tst_ingredientsparserpane.moc"
