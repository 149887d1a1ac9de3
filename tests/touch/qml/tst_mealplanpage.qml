import QtQuick
import QtTest
import SaltroveTest 1.0

// The meal plan page and the recipe page's "Plan…", over a real scanner and
// the cookbook's real "meal-plan.md".
TestCase {
    id: testCase
    name: "MealPlanPage"
    when: windowShown

    property string cookbook
    property string soup
    property string curry

    function init() {
        TestSupport.clearSettings()
        cookbook = TestSupport.newFolder()
        soup = cookbook + "/Suppen/Linsensuppe für Jürgen.recipe.md"
        curry = cookbook + "/和食/カレー ライス.recipe.md"
        verify(TestSupport.writeRecipe(soup, "Linsensuppe",
            "### Ingredients\n\n * 250 g Linsen\n\n### Directions\n\n1. Kochen.\n\n"
            + "### Metadata\n\nservings: 4\n"))
        verify(TestSupport.writeRecipe(curry, "カレーライス",
            "### Ingredients\n\n * 2 玉ねぎ\n\n### Directions\n\n1. 煮る。\n"))
    }

    function openWindow() {
        TestSupport.setStoredLocation(cookbook)
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var window = createTemporaryObject(component, null)
        verify(window)
        tryCompare(findChild(window.contentItem, "titleList"), "count", 2)
        return window
    }

    function isoDay(window, offset) {
        var parts = window.mealPlan.today.split("-")
        var day = new Date(parts[0], parts[1] - 1, parts[2])
        day.setDate(day.getDate() + offset)
        return Qt.formatDate(day, "yyyy-MM-dd")
    }

    function planFile() {
        return TestSupport.readText(cookbook + "/meal-plan.md")
    }

    function openPlan(window) {
        var actions = window.globalDrawer.actions
        var action = null
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].objectName === "mealPlanAction")
                action = actions[i]
        }
        verify(action, "the drawer's action")
        compare(action.text, "Meal plan")
        action.trigger()
        tryVerify(function() { return window.pageStack.currentItem.title === "Meal plan" })
        tryVerify(function() { return window.pageStack.currentItem.mapToItem(null, 0, 0).x === 0 })
        var days = findChild(window.pageStack.currentItem, "mealPlanDays")
        verify(days)
        waitForRendering(days)
        return days
    }

    function backToPlan(window) {
        window.pageStack.pop()
        tryVerify(function() { return window.pageStack.currentItem.title === "Meal plan" })
        tryVerify(function() { return window.pageStack.currentItem.mapToItem(null, 0, 0).x === 0 })
    }

    // The entries shown on the `row`th day.
    function entriesOf(days, row) {
        days.positionViewAtIndex(row, ListView.Contain)
        var day = days.itemAtIndex(row)
        var texts = []
        for (var i = 0; i < day.children.length; ++i) {
            var button = findChild(day.children[i], "entryButton")
            if (day.children[i].objectName === "mealPlanEntry" && button)
                texts.push(button.contentItem.text)
        }
        return texts
    }

    function test_showsTheWeekFromToday() {
        var window = openWindow()
        verify(TestSupport.writeTextElsewhere(cookbook + "/meal-plan.md",
            "# Meal plan\n\n## " + isoDay(window, 0) + " Montag\n\n"
            + "- Abendessen: [Linsensuppe](Suppen/Linsensuppe%20f%C3%BCr%20J%C3%BCrgen.recipe.md) for 2\n"
            + "- Mittag: Reste\n\n## " + isoDay(window, 2) + "\n\n"
            + "- [カレーライス](和食/カレー%20ライス.recipe.md) ×2\n", true))
        var days = openPlan(window)
        compare(days.count, 7)
        tryCompare(days.itemAtIndex(0).entries, "length", 2)
        compare(entriesOf(days, 0), ["Abendessen: Linsensuppe, for 2", "Mittag: Reste"])
        compare(entriesOf(days, 2), ["カレーライス ×2"])
        var today = findChild(days.itemAtIndex(0), "todayMark")
        verify(today.visible)
        verify(!findChild(days.itemAtIndex(1), "todayMark").visible)
        verify(findChild(days.itemAtIndex(0), "dayLabel").text.indexOf("Today, ") === 0)
    }

    function test_anEntryOpensAndCooksItsRecipe() {
        var window = openWindow()
        verify(window.mealPlan.planRecipe(curry, isoDay(window, 0), 0))
        var days = openPlan(window)
        var entry = findChild(days.itemAtIndex(0), "entryButton")
        verify(entry && entry.height >= 48)
        mouseClick(entry)
        tryVerify(function() { return window.pageStack.currentItem.path === curry })
        backToPlan(window)
        var cook = findChild(days.itemAtIndex(0), "cookButton")
        verify(cook.visible && cook.height >= 48)
        mouseClick(cook)
        tryVerify(function() { return window.pageStack.currentItem.session !== undefined
                                      && window.pageStack.currentItem.path === curry })
        backToPlan(window)
        mouseClick(findChild(days.itemAtIndex(0), "removeEntryButton"))
        tryCompare(days.itemAtIndex(0).entries, "length", 0)
        compare(planFile().indexOf("カレー"), -1)
    }

    function test_planningFromTheRecipePage() {
        var window = openWindow()
        var page = window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Recipe.qml"))
        page.path = soup
        var action = null
        for (var i = 0; i < page.actions.length; ++i) {
            if (page.actions[i].objectName === "planRecipeAction")
                action = page.actions[i]
        }
        verify(action)
        compare(action.text, "Plan…")
        action.trigger()
        var dialog = findChild(page, "planDialog")
        verify(dialog)
        tryCompare(dialog, "opened", true)
        var dayBox = findChild(dialog.contentItem, "planDayBox")
        compare(dayBox.count, 28)
        verify(dayBox.currentText.indexOf("Today, ") === 0)
        dayBox.currentIndex = 1
        findChild(dialog.contentItem, "planServingsBox").value = 6
        dialog.accept()
        tryVerify(function() { return planFile().indexOf("## " + isoDay(window, 1)) >= 0 })
        var text = planFile()
        verify(text.indexOf("- [Linsensuppe](Suppen/Linsensuppe%20f%C3%BCr%20J%C3%BCrgen.recipe.md) for 6\n") >= 0, text)
        var days = openPlan(window)
        compare(entriesOf(days, 1), ["Linsensuppe, for 6"])
        // The shown days go on the shopping list.
        var actions = window.pageStack.currentItem.actions
        for (var j = 0; j < actions.length; ++j) {
            if (actions[j].objectName === "addDaysToShoppingListAction")
                actions[j].trigger()
        }
        var list = TestSupport.readText(cookbook + "/shopping-list.md")
        verify(list.indexOf("6 servings") >= 0, list)
        verify(list.indexOf("375 g Linsen") >= 0, list)
    }

    function test_pastDaysAreClearedWhenTheUserSaysSo() {
        verify(TestSupport.writeTextElsewhere(cookbook + "/meal-plan.md",
                                              "## 2020-02-29 samedi\n\n- Fondue\n", false))
        var window = openWindow()
        openPlan(window)
        var actions = window.pageStack.currentItem.actions
        var clear = actions[actions.length - 1]
        compare(clear.objectName, "clearPastDaysAction")
        clear.trigger()
        var dialog = findChild(window.pageStack.currentItem, "clearPastDaysDialog")
        tryCompare(dialog, "opened", true)
        dialog.accept()
        tryVerify(function() { return planFile().indexOf("Fondue") < 0 })
        compare(planFile().trim(), "")
        clear.trigger()
        tryCompare(findChild(window.contentItem, "passiveNotification"), "text",
                   "No past days in the plan")
    }

    function test_weeksBeforeAndAfter() {
        var window = openWindow()
        var days = openPlan(window)
        var first = findChild(days.itemAtIndex(0), "dayLabel").text
        var actions = window.pageStack.currentItem.actions
        actions[1].trigger()
        tryVerify(function() { return findChild(days.itemAtIndex(0), "dayLabel").text !== first })
        verify(!findChild(days.itemAtIndex(0), "todayMark").visible)
        actions[0].trigger()
        tryCompare(findChild(days.itemAtIndex(0), "dayLabel"), "text", first)
    }
}
