#include "browse/listpane.h"
#include "cooking/cookingsession.h"
#include "cooking/cookingtimers.h"
#include "cooking/cookingview.h"
#include "mainwindow.h"
#include "pantry/pantryfile.h"
#include "pantry/pantrypane.h"
#include "planning/cookingjournal.h"
#include "planning/cookingjournalfile.h"
#include "support/desktoptesthelpers.h"
#include "support/handclock.h"
#include "support/privatesessionbus.h"

#include <QComboBox>
#include <QDBusConnection>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace testing;

namespace {

const QByteArray pancakes = testing::pancakesRecipe;

QString labelText(QWidget* view, const char* name)
{
    auto* label = view->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QStringList listTexts(QWidget* view, const char* name)
{
    QStringList texts;
    if (auto* list = view->findChild<QListWidget*>(QLatin1String(name))) {
        for (int row = 0; row < list->count(); ++row)
            texts.append(list->item(row)->text());
    }
    return texts;
}

QStringList timerButtons(QWidget* view)
{
    QStringList texts;
    const auto buttons = view->findChildren<QPushButton*>(QStringLiteral("cookingTimerButton"));
    for (const QPushButton* button : buttons)
        texts.append(button->text());
    return texts;
}

// A widget is in reach when it is shown whole inside the view, or inside a
// scroll area of the view high enough to bring it there whole.
bool inReach(QWidget* view, QWidget* widget)
{
    if (!widget->isVisible())
        return false;
    QWidget* shownIn = view;
    for (QWidget* up = widget->parentWidget(); up && up != view; up = up->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(up)) {
            if (area->viewport()->height() < widget->height())
                return false;
            shownIn = area;
            break;
        }
    }
    const QRect within(shownIn->mapTo(view, QPoint(0, 0)), shownIn->size());
    return view->rect().contains(within) && within.height() > 0;
}

// All of a text is there to read: shown whole, or in a scroll area that
// scrolls far enough.
bool readable(QWidget* view, QLabel* text)
{
    if (text->height() < text->heightForWidth(text->width()))
        return false;
    auto* area = qobject_cast<QScrollArea*>(text->parentWidget()->parentWidget()->parentWidget());
    if (!area)
        return inReach(view, text);
    const int hidden = text->height() - area->viewport()->height();
    return inReach(view, area) && area->verticalScrollBar()->isVisible() == (hidden > 0) &&
           area->verticalScrollBar()->maximum() >= hidden;
}

// A Chinese step of the same length as the German one.
QByteArray chineseLongStep()
{
    const QByteArray paragraph =
        "将五花肉洗净切成两厘米见方的块，冷水下锅，加入姜片和料酒，大火烧开后撇去浮沫，"
        "捞出用温水冲洗干净沥干备用。锅中放少许油，小火放入冰糖慢慢炒至融化并呈焦糖色，"
        "注意火候不要炒糊，否则会发苦。倒入肉块迅速翻炒均匀，使每一块肉都裹上糖色，"
        "再加入葱段、姜片、八角、桂皮和香叶炒出香味。";
    return "# 红烧肉\n\n### Ingredients\n\n#### 主料\n\n- 五花肉 500g\n\n#### 辅料\n\n"
           "- 冰糖 30g\n- 生抽 2勺\n\n### Directions\n\n1. " +
           paragraph + paragraph + paragraph +
           "大火烧开后转小火炖煮45分钟，再转大火收汁10分钟，关火后焖5分钟即可出锅。\n"
           "2. 装盘。\n\n## 附加内容\n\n- 可以加入鹌鹑蛋同煮。\n";
}

} // namespace

class CookingViewTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateSessionBus> bus;
    ScreenSaverRecorder screenSaver;
    NotificationRecorder notifications;
    QTemporaryDir dir;
    QString recipePath;
    qint64 now = 0;

private slots:
    void initTestCase()
    {
        useTestIdentity();
        QVERIFY(dir.isValid());
        useIconTheme();
        bus = std::make_unique<PrivateSessionBus>();
        QVERIFY2(!bus->address().isEmpty(), "dbus-daemon did not start");
        // The program's own session bus is the private one from here on.
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus->address().toUtf8());
        QDBusConnection services = bus->connect(QStringLiteral("services"));
        QVERIFY(services.isConnected());
        QVERIFY(services.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        QVERIFY(services.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                        &screenSaver, QDBusConnection::ExportAllSlots));
        QVERIFY(services.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(services.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                        &notifications, QDBusConnection::ExportAllSlots));
    }

    void cleanupTestCase() { bus.reset(); }

    void init()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
        screenSaver.calls.clear();
        notifications.notifications.clear();
        recipePath = dir.filePath(QStringLiteral("pancakes.recipe.md"));
        QVERIFY(writeFile(recipePath, pancakes));
        now = 1000;
    }

    void cookWithoutRecipeSaysSo()
    {
        MainWindow window;
        window.show();
        windowAction(window, QStringLiteral("cookAction"))->trigger();
        QCOMPARE(statusText(window), QStringLiteral("No recipe to cook"));
        QVERIFY(!window.findChild<CookingView*>());
    }

    void cookOpensTheActiveRecipeFullScreen()
    {
        MainWindow window;
        window.show();
        emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(recipePath);
        windowAction(window, QStringLiteral("cookAction"))->trigger();
        auto* view = window.findChild<CookingView*>(QStringLiteral("cookingView"));
        QVERIFY(view);
        QVERIFY(view->isWindow());
        QVERIFY(view->isFullScreen());
        QCOMPARE(labelText(view, "cookingTitle"), QStringLiteral("Pancakes"));
        QCOMPARE(labelText(view, "cookingStepCount"), QStringLiteral("Step 1 of 3"));
        QCOMPARE(listTexts(view, "cookingIngredients"),
                 (QStringList{"250 g flour", "3 eggs", "500 ml milk", "salt"}));
        QCOMPARE(listTexts(view, "cookingStepIngredients"),
                 (QStringList{"250 g flour", "3 eggs", "500 ml milk"}));
        QCOMPARE(timerButtons(view), QStringList{"20–30 min"});
        QTRY_COMPARE(screenSaver.calls.size(), 1);
        QVERIFY(screenSaver.calls.first().startsWith(QStringLiteral("Inhibit ")));
        QVERIFY(screenSaver.calls.first().contains(QCoreApplication::applicationName()));

        // The servings change every amount, in the lists and in the text.
        auto* servings = view->findChild<QSpinBox*>(QStringLiteral("cookingServings"));
        QVERIFY(servings);
        QCOMPARE(servings->value(), 4);
        servings->setValue(8);
        QCOMPARE(listTexts(view, "cookingIngredients"),
                 (QStringList{"500 g flour", "6 eggs", "1 l milk", "salt"}));
        QTest::keyClick(view, Qt::Key_End); // ignored
        QTest::keyClick(view, Qt::Key_PageDown);
        QTest::keyClick(view, Qt::Key_Space);
        QCOMPARE(labelText(view, "cookingStep"), QStringLiteral("Serve with 4 tbsp sugar."));
        // Cook again on the same recipe: the same view, on the same step.
        windowAction(window, QStringLiteral("cookAction"))->trigger();
        QCOMPARE(window.findChildren<CookingView*>().size(), 1);
        QCOMPARE(view->currentStep(), 2);

        // F11 and Escape leave full screen; Escape then closes and releases the screen.
        QTest::keyClick(view, Qt::Key_F11);
        QVERIFY(!view->isFullScreen());
        QTest::keyClick(view, Qt::Key_F11);
        QVERIFY(view->isFullScreen());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isFullScreen());
        QPointer<CookingView> closing(view);
        QTest::keyClick(view, Qt::Key_Escape);
        QTRY_VERIFY(closing.isNull());
        const QString cookie = screenSaver.calls.first().section(QLatin1Char(' '), -1);
        QTRY_COMPARE(screenSaver.calls.size(), 2);
        QCOMPARE(screenSaver.calls.at(1), QStringLiteral("UnInhibit ") + cookie);
    }

    void navigatesByButtonsKeysAndWheel_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("buttons") << "buttons";
        QTest::newRow("arrows") << "arrows";
        QTest::newRow("pages") << "pages";
        QTest::newRow("wheel") << "wheel";
    }

    void navigatesByButtonsKeysAndWheel()
    {
        QFETCH(QString, how);
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        view.show();
        auto forward = [&] {
            if (how == QLatin1String("buttons"))
                QTest::mouseClick(view.findChild<QPushButton*>("cookingNext"), Qt::LeftButton);
            else if (how == QLatin1String("arrows"))
                QTest::keyClick(&view, Qt::Key_Right);
            else if (how == QLatin1String("pages"))
                QTest::keyClick(&view, Qt::Key_PageDown);
            else
                sendWheel(view, -120);
        };
        auto back = [&] {
            if (how == QLatin1String("buttons"))
                QTest::mouseClick(view.findChild<QPushButton*>("cookingPrevious"), Qt::LeftButton);
            else if (how == QLatin1String("arrows"))
                QTest::keyClick(&view, Qt::Key_Left);
            else if (how == QLatin1String("pages"))
                QTest::keyClick(&view, Qt::Key_PageUp);
            else
                sendWheel(view, 120);
        };
        forward();
        QCOMPARE(view.currentStep(), 1);
        QCOMPARE(labelText(&view, "cookingStepCount"), QStringLiteral("Step 2 of 3"));
        QCOMPARE(timerButtons(&view), QStringList{"1 minute"});
        forward();
        forward(); // stays on the last step
        QCOMPARE(view.currentStep(), 2);
        QVERIFY(!view.findChild<QPushButton*>("cookingNext")->isEnabled());
        back();
        back();
        back();
        QCOMPARE(view.currentStep(), 0);
    }

    // The strip shows the session's timers and forwards the buttons; the
    // timers' own rules are the session's test.
    void timerStripFollowsTheSession()
    {
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        view.show();
        QSignalSpy rang(&view, &CookingView::timerRang);
        QTest::mouseClick(view.findChild<QPushButton*>("cookingTimerButton"), Qt::LeftButton);
        view.nextStep();
        QTest::mouseClick(view.findChild<QPushButton*>("cookingTimerButton"), Qt::LeftButton);
        auto* strip = view.findChild<QWidget*>(QStringLiteral("cookingTimers"));
        QVERIFY(strip->isVisible());
        QCOMPARE(strip->findChildren<QFrame*>(QStringLiteral("cookingTimer")).size(), 2);
        const QList<int> ids = view.timers()->ids();
        QCOMPARE(view.timers()->name(ids.first()), QStringLiteral("Pancakes: 20–30 min"));

        auto pauses = strip->findChildren<QToolButton*>(QStringLiteral("cookingTimerPause"));
        QCOMPARE(pauses.size(), 2);
        QTest::mouseClick(pauses.first(), Qt::LeftButton);
        QVERIFY(!view.timers()->isRunning(ids.first()));
        pauses = strip->findChildren<QToolButton*>(QStringLiteral("cookingTimerPause"));
        QCOMPARE(pauses.first()->text(), QStringLiteral("Resume"));

        // The second ends: the view rings, the notification goes out, and its
        // frame offers only to dismiss it.
        now += 60 * 1000;
        view.timers()->check();
        QCOMPARE(rang.size(), 1);
        QCOMPARE(rang.first().first().toString(), QStringLiteral("Pancakes: 1 minute"));
        QTRY_COMPARE(notifications.notifications.size(), 1);
        QCOMPARE(notifications.notifications.first().summary, QStringLiteral("Pancakes: 1 minute"));
        QCOMPARE(strip->findChildren<QToolButton*>(QStringLiteral("cookingTimerPause")).size(), 1);
        const auto cancels =
            strip->findChildren<QToolButton*>(QStringLiteral("cookingTimerCancel"));
        QCOMPARE(cancels.size(), 2);
        QCOMPARE(cancels.last()->text(), QStringLiteral("Dismiss"));
        // The ended one flashes in the highlight colour.
        auto* ended = strip->findChildren<QFrame*>(QStringLiteral("cookingTimer")).last();
        QTRY_COMPARE(ended->palette().color(QPalette::Window),
                     ended->palette().color(QPalette::Highlight));

        // Cancelling both empties the strip.
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(strip->findChild<QToolButton*>(QStringLiteral("cookingTimerCancel")),
                              Qt::LeftButton);
        QVERIFY(view.timers()->ids().isEmpty());
        QVERIFY(!strip->isVisible());
    }

    void showsTheChangedFileOnTheKeptStep()
    {
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        view.show();
        view.findChild<QSpinBox*>(QStringLiteral("cookingServings"))->setValue(2);
        view.showStep(2);

        QByteArray shorter = pancakes;
        shorter.replace("3. Serve with 2 tbsp sugar.\n", "");
        shorter.replace("Fry each pancake", "Fry every pancake");
        QVERIFY(writeFile(recipePath, shorter));
        QTRY_COMPARE(labelText(&view, "cookingStepCount"), QStringLiteral("Step 2 of 2"));
        QVERIFY(labelText(&view, "cookingStep").startsWith(QStringLiteral("Fry every pancake")));
        QCOMPARE(view.findChild<QSpinBox*>(QStringLiteral("cookingServings"))->value(), 2);
        QCOMPARE(listTexts(&view, "cookingIngredients").first(), QStringLiteral("125 g flour"));
        QVERIFY(!view.findChild<QPushButton*>("cookingNext")->isEnabled());
    }

    // Real recipes at the smallest window the view is made for: a step of
    // some 900 characters and three running timers leave every word, every
    // control and the window's width within the screen.
    void longStepAndThreeTimersFitTheSmallestWindow_data()
    {
        QTest::addColumn<QByteArray>("recipe");
        QTest::newRow("German paragraph") << testing::longStepRecipe;
        QTest::newRow("Chinese paragraph") << chineseLongStep();
    }

    void longStepAndThreeTimersFitTheSmallestWindow()
    {
        QFETCH(QByteArray, recipe);
        QVERIFY(writeFile(recipePath, recipe));
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto spans = view.findChildren<QPushButton*>(QStringLiteral("cookingTimerButton"));
        QCOMPARE(spans.size(), 3);
        for (QPushButton* span : spans)
            span->click();
        QCOMPARE(view.timers()->ids().size(), 3);
        QCoreApplication::processEvents();

        if (qEnvironmentVariableIsSet("SALTROVE_GRAB_COOKING"))
            view.grab().save(qEnvironmentVariable("SALTROVE_GRAB_COOKING") +
                             QTest::currentDataTag() + QStringLiteral(".png"));

        QVERIFY2(view.minimumSizeHint().width() <= 800,
                 qPrintable(QString::number(view.minimumSizeHint().width())));
        QVERIFY(view.minimumSizeHint().height() <= 600);
        QCOMPARE(view.size(), QSize(800, 600));

        // The step's text is laid out to its last line, and shown or scrolled to.
        QVERIFY(readable(&view, view.findChild<QLabel*>(QStringLiteral("cookingStep"))));

        const int buttonHeight = QPushButton(QStringLiteral("Next")).sizeHint().height();
        QList<QWidget*> controls{view.findChild<QPushButton*>(QStringLiteral("cookingNext")),
                                 view.findChild<QPushButton*>(QStringLiteral("cookingPrevious")),
                                 view.findChild<QWidget*>(QStringLiteral("cookingServings"))};
        for (const char* name : {"cookingTimerPause", "cookingTimerCancel"}) {
            const auto buttons = view.findChildren<QToolButton*>(QLatin1String(name));
            QCOMPARE(buttons.size(), 3);
            for (QToolButton* button : buttons)
                controls.append(button);
        }
        for (QWidget* control : std::as_const(controls)) {
            QVERIFY2(inReach(&view, control), qPrintable(control->objectName()));
            QVERIFY2(control->height() >= buttonHeight,
                     qPrintable(QStringLiteral("%1 is %2 px high")
                                    .arg(control->objectName())
                                    .arg(control->height())));
        }
        // Next is where a cook's hand goes without scrolling.
        QWidget* next = controls.first();
        QVERIFY(view.rect().contains(QRect(next->mapTo(&view, QPoint(0, 0)), next->size())));
    }

    // The ingredient panel wraps its lines and names the sub-headings.
    void ingredientPanelWrapsAndNamesSubHeadings()
    {
        QVERIFY(writeFile(recipePath, testing::longStepRecipe));
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QStringList rows = listTexts(&view, "cookingIngredients");
        QCOMPARE(rows.size(), 6);
        QCOMPARE(rows.at(0), QStringLiteral("Suppe"));
        QCOMPARE(rows.at(4), QStringLiteral("Einlage"));
        auto* list = view.findChild<QListWidget*>(QStringLiteral("cookingIngredients"));
        QVERIFY(!(list->item(0)->flags() & Qt::ItemIsUserCheckable));
        QVERIFY(list->item(1)->flags() & Qt::ItemIsUserCheckable);
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        // The long line has the height of its words wrapped beside the box.
        const QRect broth = list->visualItemRect(list->item(3));
        const QFontMetrics metrics(list->font());
        const int textWidth = broth.width() - 2 * metrics.height() + metrics.height() / 2;
        QVERIFY(broth.height() >= metrics
                                      .boundingRect(QRect(0, 0, textWidth, 10000), Qt::TextWordWrap,
                                                    list->item(3)->text())
                                      .height());
        QVERIFY(broth.right() <= list->viewport()->width());
        // Check boxes as large as the text.
        QVERIFY(list->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, list) >=
                metrics.height());
    }

    void recipeWithoutServingsOffersFactors()
    {
        QByteArray noServings = pancakes;
        noServings.replace("servings: 4\n", "");
        QVERIFY(writeFile(recipePath, noServings));
        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(recipePath);
        auto* factors = view.findChild<QComboBox*>(QStringLiteral("cookingServings"));
        QVERIFY(factors);
        QCOMPARE(factors->currentText(), QStringLiteral("×1"));
        QCOMPARE(factors->count(), 40);
        factors->setCurrentIndex(0);
        QCOMPARE(listTexts(&view, "cookingIngredients").first(), QStringLiteral("125 g flour"));
    }

    // After the last step, and only there with a journal: what the journal
    // says so far, the stars, a note and "Cooked it", in reach at 800x600
    // under a long step; one entry on the journal's day, at the servings.
    void cookedItWritesOneEntryAtTheLastStep_data()
    {
        QTest::addColumn<QByteArray>("recipe");
        QTest::addColumn<int>("servings");
        QTest::newRow("German paragraph") << testing::longStepRecipe << 4;
        QTest::newRow("Chinese paragraph, no servings") << chineseLongStep() << 0;
        QTest::newRow("short steps") << pancakes << 4;
    }

    void cookedItWritesOneEntryAtTheLastStep()
    {
        QFETCH(QByteArray, recipe);
        QFETCH(int, servings);
        QTemporaryDir cookbook;
        const QString path = cookbook.filePath(QStringLiteral("Küche/mein rezept.recipe.md"));
        QVERIFY(writeFile(path, recipe));
        CookingJournal journal;
        journal.setDateSource([] { return QDate(2027, 1, 1); });
        journal.setCollectionPath(cookbook.path());
        QSignalSpy cooked(&journal, &CookingJournal::cooked);

        CookingView view(nullptr, std::make_unique<HandClock>(&now));
        view.openRecipe(path);
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto* panel = view.findChild<QWidget*>(QStringLiteral("cookedItPanel"));
        QVERIFY(panel);
        view.showStep(view.session()->stepCount() - 1);
        QVERIFY(!panel->isVisible()); // no journal
        view.setJournal(&journal);
        QVERIFY(panel->isVisible());
        view.showStep(0);
        QVERIFY(!panel->isVisible());
        view.showStep(view.session()->stepCount() - 1);
        QCoreApplication::processEvents();

        auto* button = view.findChild<QPushButton*>(QStringLiteral("cookedItButton"));
        auto* note = view.findChild<QLineEdit*>(QStringLiteral("cookedItNote"));
        QVERIFY(inReach(&view, button));
        QVERIFY(inReach(&view, note));
        QVERIFY(view.minimumSizeHint().width() <= 800);
        QCOMPARE(view.size(), QSize(800, 600));
        auto* fourth = view.findChild<QToolButton*>(QStringLiteral("cookedItStar4"));
        fourth->click();
        fourth->click(); // the same stars again clear them
        QCOMPARE(fourth->text(), QStringLiteral("☆"));
        fourth->click();
        QCOMPARE(fourth->text(), QStringLiteral("★"));
        note->setText(QStringLiteral("Weniger Salz, 少放盐"));
        button->click();
        button->click(); // once for a cooking

        QCOMPARE(cooked.size(), 1);
        QCOMPARE(cooked[0], (QVariantList{path, servings}));
        const QList<JournalEntry> entries = readCookingJournal(cookbook.path());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].day, QDate(2027, 1, 1));
        QCOMPARE(entries[0].recipePath, path);
        QCOMPARE(entries[0].stars, 4);
        QCOMPARE(entries[0].note, QStringLiteral("Weniger Salz, 少放盐"));
        QVERIFY(!button->isEnabled());
        QCOMPARE(labelText(&view, "cookedItSummary"),
                 QStringLiteral("Cooked once, on 2027-01-01 ★★★★☆"));
    }

    // "Mark as cooked" on the Kitchen toolbar writes the shown recipe's
    // entry in the collection's journal.
    void markCookedWritesTheActiveRecipe()
    {
        QTemporaryDir cookbook;
        const QString path = cookbook.filePath(QStringLiteral("Desserts/crème brûlée.recipe.md"));
        QVERIFY(writeFile(path, "# Crème brûlée\n\n### Ingredients\n\n * 500 ml cream\n"));
        MainWindow window;
        window.show();
        window.setFolderQuestion([&cookbook] { return cookbook.path(); });
        windowAction(window, QStringLiteral("openCollectionAction"))->trigger();
        QTRY_COMPARE(statusText(window), QStringLiteral("Found 1 recipes"));
        emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(path);
        windowAction(window, QStringLiteral("markCookedAction"))->trigger();
        const QList<JournalEntry> entries = readCookingJournal(cookbook.path());
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].title, QStringLiteral("Crème brûlée"));
        QCOMPARE(entries[0].recipePath, path);
        QVERIFY2(statusText(window).startsWith(QStringLiteral("Added to the cooking journal: "
                                                              "Cooked once")),
                 qPrintable(statusText(window)));
    }

    // A recipe marked cooked offers to take its amounts out of the pantry,
    // and takes them out only when the cook says yes.
    void markCookedOffersToTakeOutOfThePantry_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("left");
        QTest::newRow("yes") << true << QStringLiteral("300 ml");
        QTest::newRow("no") << false << QStringLiteral("1 l");
    }

    void markCookedOffersToTakeOutOfThePantry()
    {
        QFETCH(bool, yes);
        QFETCH(QString, left);
        QTemporaryDir cookbook;
        const QString path = cookbook.filePath(QStringLiteral("Desserts/crème brûlée.recipe.md"));
        QVERIFY(writeFile(path, "# Crème brûlée\n\n### Ingredients\n\n * 700 ml cream\n"));
        QVERIFY(writeFile(cookbook.filePath(QStringLiteral("pantry.md")),
                          "# Pantry\n\n- 1 l cream\n- salt\n"));
        MainWindow window;
        window.show();
        QStringList asked;
        window.findChild<PantryPane*>()->setTakeOutQuestion(
            [&asked, yes](QWidget*, const QString& text) {
                asked.append(text);
                return yes;
            });
        window.setFolderQuestion([&cookbook] { return cookbook.path(); });
        windowAction(window, QStringLiteral("openCollectionAction"))->trigger();
        QTRY_COMPARE(statusText(window), QStringLiteral("Found 1 recipes"));
        emit dockPane<ListPane>(window, QStringLiteral("Title"))->fileSelected(path);
        windowAction(window, QStringLiteral("markCookedAction"))->trigger();
        QTRY_COMPARE(asked.size(), 1);
        QTRY_COMPARE(readPantry(cookbook.path())
                             .value(0)
                             .amount.toDisplayString(Amount::Notation::Decimals) +
                         QLatin1Char(' ') + readPantry(cookbook.path()).value(0).unit,
                     left);
    }

private:
    // A theme of our own holding the three icons, so that their names are
    // what the test sees whatever themes the machine has.
    void useIconTheme()
    {
        const QString theme = dir.filePath(QStringLiteral("icons/kitchen"));
        QVERIFY(writeFile(theme + QStringLiteral("/index.theme"),
                          "[Icon Theme]\nName=kitchen\nDirectories=16x16/actions\n\n"
                          "[16x16/actions]\nSize=16\nType=Fixed\n"));
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::darkRed);
        QVERIFY(QDir().mkpath(theme + QStringLiteral("/16x16/actions")));
        for (const char* name : {"edit-find", "view-list-details", "chronometer"})
            QVERIFY(image.save(theme + QStringLiteral("/16x16/actions/") + QLatin1String(name) +
                               QStringLiteral(".png")));
        QIcon::setThemeSearchPaths({dir.filePath(QStringLiteral("icons"))});
        QIcon::setThemeName(QStringLiteral("kitchen"));
    }

    static void sendWheel(QWidget& view, int delta)
    {
        const QPointF at(view.width() / 2.0, view.height() - 5.0);
        QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view, &wheel);
    }
};

QTEST_MAIN(CookingViewTest)
#include "tst_cookingview.moc"
