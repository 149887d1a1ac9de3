import QtQuick
import QtTest
import Saltrove 1.0
import SaltroveTest 1.0

// The cooking page, and the recipe page's action that opens it.
TestCase {
    id: testCase
    name: "CookPage"
    when: windowShown
    // Shown, so that the page's buttons take clicks.
    visible: true
    width: 480
    height: 640

    property string recipe

    Component {
        id: journalComponent
        CookingJournal {}
    }

    SignalSpy {
        id: cookedSpy
        signalName: "cooked"
    }

    function initTestCase() {
        recipe = TestSupport.newFolder() + "/pancakes.recipe.md"
        verify(TestSupport.writeRecipe(recipe, "Pancakes",
            "### Ingredients\n\n * 250 g flour\n * 3 eggs\n * 500 ml milk\n * salt\n\n"
            + "### Directions\n\n#### Batter\n\n"
            + "1. Whisk the flour, the eggs and the milk; rest 20–30 min.\n"
            + "2. Fry each pancake 1 minute a side.\n3. Serve with 2 tbsp sugar.\n\n"
            + "### Metadata\n\nservings: 4\n"))
    }

    function create(url, properties) {
        var component = Qt.createComponent(url)
        compare(component.status, Component.Ready, component.errorString())
        var page = createTemporaryObject(component, testCase, properties || {})
        verify(page)
        return page
    }

    function test_cookIsOfferedForRecipesOnly_data() {
        return [
            {tag: "help", url: "qrc:/qml/Help.qml", path: "", actions: []},
            {tag: "recipe page without a recipe", url: "qrc:/qml/Recipe.qml", path: "",
             actions: []},
            {tag: "recipe", url: "qrc:/qml/Recipe.qml", path: "recipe",
             actions: ["Cook", "Add to shopping list", "Share…", "Plan…", "Mark as cooked"]}
        ]
    }

    function test_cookIsOfferedForRecipesOnly(data) {
        var page = create(data.url)
        if (data.path !== "")
            page.path = recipe
        var texts = []
        for (var i = 0; i < page.actions.length; ++i)
            texts.push(page.actions[i].text)
        compare(texts, data.actions)
    }

    function test_cookActionPushesTheCookingPage() {
        var window = create("qrc:/qml/main.qml")
        var recipePage = window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Recipe.qml"))
        recipePage.path = recipe
        compare(recipePage.actions[0].objectName, "cookAction")
        recipePage.actions[0].trigger()
        var cook = window.pageStack.currentItem
        tryCompare(cook, "title", "Pancakes")
        compare(cook.session.stepCount, 3)
        tryCompare(cook.session, "awake", true)
        // Covered by another page, the page lets the screen sleep again.
        window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Help.qml"))
        tryCompare(cook.session, "awake", false)
        window.pageStack.pop()
        tryCompare(cook.session, "awake", true)
    }

    // Cook, chosen among the recipe page's actions, leaves no drawer over the
    // cooking page: its first step takes a tap at once.
    function test_cookFromTheActionsDrawerLeavesThePageFree() {
        var window = create("qrc:/qml/main.qml")
        var recipePage = window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Recipe.qml"))
        recipePage.path = recipe
        var drawer = window.contextDrawer
        var button = findChild(window.header, "contextDrawerButton")
        tryVerify(function() { return button.visible })
        mouseClick(button)
        tryCompare(drawer, "position", 1)
        var cookRow = null
        tryVerify(function() {
            cookRow = findRow(drawer.contentItem, "Cook")
            return cookRow !== null
        })
        mouseClick(cookRow)

        var cook = window.pageStack.currentItem
        tryCompare(cook, "title", "Pancakes")
        tryCompare(window.pageStack, "busy", false)
        tryCompare(drawer, "position", 0)
        tryCompare(drawer, "opened", false)
        tryCompare(drawer, "visible", false)
        compare(drawer.actions.length, 0)

        var steps = findChild(cook, "cookingSteps")
        var timer = findChild(steps.itemAt(0), "cookingTimerButton")
        compare(timer.text, "20–30 min")
        mouseClick(timer)
        compare(cook.session.timers.length, 1)
        compare(cook.session.timers[0].name, "Pancakes: 20–30 min")
    }

    // The drawer's row for the action named `text`.
    function findRow(item, text) {
        if (item.text === text && item.clicked !== undefined)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = findRow(item.children[i], text)
            if (found)
                return found
        }
        return null
    }

    // At the smallest window, after the last step only: stars, a note and
    // "Cooked it", written once in the journal at the servings cooked.
    function test_cookedItAtTheLastStep() {
        var folder = TestSupport.newFolder()
        verify(TestSupport.makeFolder(folder + "/Suppen"))
        var path = folder + "/Suppen/kartoffel suppe.recipe.md"
        verify(TestSupport.writeLongStepRecipe(path))
        var journal = createTemporaryObject(journalComponent, testCase, {collectionPath: folder})
        cookedSpy.clear()
        cookedSpy.target = journal
        var page = create("qrc:/qml/Cook.qml", {width: 800, height: 600})
        page.path = path
        var steps = findChild(page, "cookingSteps")
        compare(page.journal, null)
        verify(!findChild(steps.itemAt(1), "cookedItPanel").visible)
        page.journal = journal
        verify(!findChild(steps.itemAt(0), "cookedItPanel").visible)
        findChild(page, "cookingNext").clicked()
        var panel = findChild(steps.itemAt(1), "cookedItPanel")
        tryVerify(function() { return panel.visible }, 20000)
        // Once the swipe has come to rest on the last step.
        tryVerify(function() { return steps.contentItem.contentX === steps.itemAt(1).x }, 20000)

        var third = findChild(panel, "cookedItStar3")
        third.clicked()
        third.clicked() // the stars shown, tapped again, clear
        compare(page.cookedStars, 0)
        third.clicked()
        compare(third.text, "★")
        compare(findChild(panel, "cookedItStar4").text, "☆")
        findChild(panel, "cookedItNote").text = "Mehr Muskat"
        var button = findChild(panel, "cookedItButton")
        var next = findChild(page, "cookingNext")
        tryVerify(function() { return button.height >= next.height },
                  20000, "Cooked it is " + button.height + " high, Next " + next.height)
        verify(button.mapToItem(page, 0, 0).x + button.width <= page.width + 0.5)
        button.clicked()
        button.clicked() // once for a cooking

        compare(journal.timesCooked(path), 1)
        compare(journal.latestStars(path), 3)
        compare(journal.notes(path), ["Mehr Muskat"])
        compare(cookedSpy.count, 1)
        compare(cookedSpy.signalArguments[0][1], 4)
        verify(!button.enabled)
        verify(TestSupport.readText(folder + "/cooking-journal.md").indexOf(
            "[Kartoffelsuppe](Suppen/kartoffel%20suppe.recipe.md) ★★★☆☆ Mehr Muskat\n") > 0)
        compare(findChild(panel, "cookedItSummary").text.indexOf("Cooked once, on "), 0)
    }

    // The recipe page's "Mark as cooked" writes in the window's journal.
    function test_markAsCookedFromTheRecipePage() {
        var folder = TestSupport.newFolder()
        var path = folder + "/麻婆豆腐.recipe.md"
        verify(TestSupport.writeRecipe(path, "麻婆豆腐", "### Ingredients\n\n- 豆腐 400g\n"))
        var window = create("qrc:/qml/main.qml")
        window.cookingJournal.collectionPath = folder
        var recipePage = window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Recipe.qml"))
        recipePage.path = path
        var action = recipePage.actions[recipePage.actions.length - 1]
        compare(action.objectName, "markCookedAction")
        action.trigger()
        compare(window.cookingJournal.timesCooked(path), 1)
        verify(TestSupport.readText(folder + "/cooking-journal.md").indexOf(
            "[麻婆豆腐](麻婆豆腐.recipe.md)\n") > 0)
    }

    function test_stepsServingsAndTimers() {
        var page = create("qrc:/qml/Cook.qml", {width: 480, height: 640})
        page.path = recipe
        var count = findChild(page, "cookingStepCount")
        compare(count.text, "Step 1 of 3")
        var steps = findChild(page, "cookingSteps")
        compare(steps.count, 3)
        var first = findChild(steps.itemAt(0), "cookingStep")
        compare(first.text, "Whisk the flour, the eggs and the milk; rest 20–30 min.")
        compare(findChild(steps.itemAt(0), "cookingSection").text, "Batter")

        // Swiping to the next step, and the session follows.
        steps.incrementCurrentIndex()
        compare(page.session.currentStep, 1)
        compare(count.text, "Step 2 of 3")

        // Servings scale the text and the ingredients.
        var servings = findChild(page, "cookingServings")
        compare(servings.value, 4)
        page.session.wanted = 8
        compare(findChild(steps.itemAt(2), "cookingStep").text, "Serve with 4 tbsp sugar.")
        compare(page.session.ingredients, ["500 g flour", "6 eggs", "1 l milk", "salt"])
        compare(servings.displayText, "8 servings")

        // A tap on a span of time starts a timer, which the strip shows.
        var button = findChild(steps.itemAt(1), "cookingTimerButton")
        verify(button)
        // Once the swipe has come to rest on the second step.
        tryVerify(function() { return steps.contentItem.contentX === steps.itemAt(1).x })
        compare(button.text, "1 minute")
        mouseClick(button)
        compare(page.session.timers.length, 1)
        compare(page.session.timers[0].name, "Pancakes: 1 minute")
        verify(page.session.timers[0].running)
        var strip = findChild(page, "cookingTimers")
        verify(strip.visible)
        page.session.pauseTimer(page.session.timers[0].id)
        verify(!page.session.timers[0].running)
        page.session.cancelTimer(page.session.timers[0].id)
        compare(page.session.timers.length, 0)
    }

    // A real recipe at the smallest window: a step of some 900 characters
    // and three running timers stay within the page, the step scrolls to its
    // last word, every control is as high as a push button, and the notes
    // after the directions come after the last step, not as a step.
    function test_longStepAndThreeTimersFitTheSmallestWindow() {
        var path = TestSupport.newFolder() + "/suppe.recipe.md"
        verify(TestSupport.writeLongStepRecipe(path))
        var page = create("qrc:/qml/Cook.qml", {width: 800, height: 600})
        page.path = path
        compare(page.session.stepCount, 2)
        var steps = findChild(page, "cookingSteps")
        var spans = []
        for (var i = 0; i < 3; ++i)
            spans.push(findChildAt(steps.itemAt(0), "cookingTimerButton", i))
        // The page is larger than the test's window: the buttons are told
        // they were clicked rather than clicked where they may be out of it.
        for (i = 0; i < 3; ++i)
            spans[i].clicked()
        compare(page.session.timers.length, 3)
        // A row stays as its timer ticks: a tap on it is never lost.
        var pause = findChildAt(page, "cookingTimerPause", 0)
        var left = page.session.timers[0].left
        tryVerify(function() { return page.session.timers[0].left !== left }, 5000)
        verify(findChildAt(page, "cookingTimerPause", 0) === pause)
        tryCompare(findChildAt(page, "cookingTimerLeft", 0), "text", page.session.timers[0].left)
        // Paused, nothing changes while the rows are measured (and "Resume"
        // is the wider text).
        for (i = 0; i < 3; ++i)
            page.session.pauseOrResumeTimer(page.session.timers[i].id)
        for (i = 0; i < 3; ++i)
            verify(!page.session.timers[i].running)
        waitForRendering(page)

        var flickable = steps.itemAt(0)
        compare(flickable.objectName, "cookingStepFlickable")
        var step = findChild(steps.itemAt(0), "cookingStep")
        verify(step.width <= flickable.width)
        verify(flickable.height > 0)
        if (step.height > flickable.height) {
            verify(findChild(steps.itemAt(0), "cookingStepScrollBar").visible)
            flickable.contentY = flickable.contentHeight - flickable.height
            verify(step.mapToItem(flickable, 0, step.height).y <= flickable.height)
        }

        var height = findChild(page, "cookingNext").height
        var controls = [findChild(page, "cookingNext"), findChild(page, "cookingPrevious"),
                        findChild(page, "cookingServings")]
        for (i = 0; i < 3; ++i) {
            controls.push(findChildAt(page, "cookingTimerPause", i))
            controls.push(findChildAt(page, "cookingTimerCancel", i))
        }
        for (i = 0; i < controls.length; ++i) {
            var control = controls[i]
            verify(control, "control " + i)
            verify(control.visible, control.objectName)
            verify(control.height >= height, control.objectName + " is " + control.height)
            var at = control.mapToItem(page, 0, 0)
            verify(at.x >= 0 && at.x + control.width <= page.width + 0.5,
                   control.objectName + " at " + at.x + " of " + page.width)
            // The timers' list scrolls; the rest is on the page itself.
            if (control.objectName.indexOf("cookingTimer") !== 0)
                verify(at.y >= 0 && at.y + control.height <= page.height + 0.5,
                       control.objectName + " at " + at.y)
        }

        // The notes show after the last step only.
        compare(findChild(steps.itemAt(0), "cookingNote"), null)
        findChild(page, "cookingNext").clicked()
        compare(page.session.currentStep, 1)
        tryVerify(function() { return findChild(steps.itemAt(1), "cookingNote") !== null })
        compare(findChild(steps.itemAt(1), "cookingNote").text, "Nährwerte\n320 kcal pro Portion")

        // The ingredients' sheet names its sub-headings.
        compare(page.session.ingredientRows[0].text, "Suppe")
        verify(page.session.ingredientRows[0].heading)
        compare(page.session.ingredientRows.length, 6)
    }

    // The `index`th item named `name` below `item`, depth first.
    function findChildAt(item, name, index) {
        var found = []
        collect(item, name, found)
        return index < found.length ? found[index] : null
    }

    function collect(item, name, found) {
        if (!item)
            return
        if (item.objectName === name)
            found.push(item)
        var children = item.children || []
        var contentSeen = false
        for (var i = 0; i < children.length; ++i) {
            contentSeen = contentSeen || children[i] === item.contentItem
            collect(children[i], name, found)
        }
        if (item.contentItem && item.contentItem !== item && !contentSeen)
            collect(item.contentItem, name, found)
    }

    function test_rereadsTheChangedFile() {
        var path = TestSupport.newFolder() + "/tea.recipe.md"
        verify(TestSupport.writeRecipe(path, "Tea", "### Directions\n\n1. Boil.\n2. Steep 3 min.\n3. Pour.\n"))
        var page = create("qrc:/qml/Cook.qml", {width: 480, height: 640})
        page.path = path
        page.session.currentStep = 2
        verify(TestSupport.writeRecipe(path, "Tea", "### Directions\n\n1. Boil.\n2. Steep 4 min.\n"))
        tryCompare(page.session, "stepCount", 2)
        compare(page.session.currentStep, 1)
        compare(page.session.stepText(1), "Steep 4 min.")
    }
}
