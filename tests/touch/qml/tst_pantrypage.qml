import QtQuick
import QtTest
import SaltroveTest 1.0

// The Pantry page from the drawer, and the shopping list page with the
// pantry's part, over the cookbook's real "pantry.md".
TestCase {
    id: testCase
    name: "PantryPage"
    when: windowShown

    property string cookbook
    property string dal

    function init() {
        TestSupport.clearSettings()
        cookbook = TestSupport.newFolder()
        dal = cookbook + "/Indisch/Dal für Jürgen.recipe.md"
        verify(TestSupport.writeRecipe(dal, "Masoor Dal",
            "### Ingredients\n\n * 750 g red lentils\n * 白蘑菇 200 克\n\n"
            + "### Metadata\n\nservings: 2\n"))
        verify(TestSupport.writeTextElsewhere(cookbook + "/pantry.md",
            "# Pantry\n\n- 500 g red lentils\n- 白蘑菇\n", false))
    }

    function openWindow() {
        TestSupport.setStoredLocation(cookbook)
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var window = createTemporaryObject(component, null)
        verify(window)
        tryCompare(findChild(window.contentItem, "titleList"), "count", 1)
        return window
    }

    function openDrawerPage(window, name, title) {
        var actions = window.globalDrawer.actions
        var found = null
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].objectName === name)
                found = actions[i]
        }
        verify(found, name)
        found.trigger()
        tryVerify(function() { return window.pageStack.currentItem.title === title })
        return window.pageStack.currentItem
    }

    function test_thePantryPageEditsTheFile() {
        var window = openWindow()
        var actions = window.globalDrawer.actions
        compare(actions[actions.length - 1].objectName, "pantryAction")
        var page = openDrawerPage(window, "pantryAction", "Pantry")
        var items = findChild(page, "pantryItems")
        tryCompare(items, "count", 2)
        var field = findChild(page, "addPantryField")
        field.text = "250 g red lentils"
        field.accepted()
        compare(field.text, "")
        tryVerify(function() {
            return TestSupport.readText(cookbook + "/pantry.md").indexOf("- 750 g red lentils\n") >= 0
        })
        window.pantry.remove(1)
        compare(items.count, 1)
        compare(TestSupport.readText(cookbook + "/pantry.md"), "# Pantry\n\n- 750 g red lentils\n")
        // The names Find offers, once the scan has published them.
        tryVerify(function() { return window.pantry.suggestions("red", 5).length > 0 })
        compare(window.pantry.suggestions("red", 5)[0], "red lentils")
    }

    function test_askingBeforeTakingOut() {
        var window = openWindow()
        var page = openDrawerPage(window, "pantryAction", "Pantry")
        verify(page.offerTakeOut(dal, 2))
        var dialog = findChild(page, "takeOutDialog")
        tryCompare(dialog, "opened", true)
        dialog.accept()
        tryVerify(function() {
            return TestSupport.readText(cookbook + "/pantry.md").indexOf("- 白蘑菇\n") >= 0
                && TestSupport.readText(cookbook + "/pantry.md").indexOf("red lentils") < 0
        })
    }

    function test_theShoppingListShowsThePantrysPart() {
        var window = openWindow()
        window.shoppingList.addRecipe(dal)
        var page = openDrawerPage(window, "shoppingListAction", "Shopping list")
        var rows = findChild(page, "shoppingRows")
        tryCompare(rows, "count", 2)
        var texts = []
        for (var i = 0; i < rows.model.rowCount(); ++i)
            texts.push(rows.model.data(rows.model.index(i, 0)))
        compare(texts, ["250 g red lentils (500 g in the pantry)", "白蘑菇 (in the pantry)"])
        window.shoppingList.setTicked(0, true)
        var action = null
        for (var j = 0; j < page.actions.length; ++j) {
            if (page.actions[j].objectName === "putTickedInPantryAction")
                action = page.actions[j]
        }
        verify(action)
        action.trigger()
        verify(TestSupport.readText(cookbook + "/pantry.md").indexOf("- 750 g red lentils\n") >= 0)
    }
}
