import QtQuick
import QtTest
import SaltroveTest 1.0

// The shopping list page and the recipe page's action, over a real scanner
// and the cookbook's real "shopping-list.md".
TestCase {
    id: testCase
    name: "ShoppingListPage"
    when: windowShown

    property string cookbook
    property string soup
    property string pie

    function init() {
        // A list one case kept in the settings is no other case's.
        TestSupport.clearSettings()
        cookbook = TestSupport.newFolder()
        soup = cookbook + "/Suppen/Tomatensuppe für Jürgen.recipe.md"
        pie = cookbook + "/Tartes/tarte à l'oignon.recipe.md"
        verify(TestSupport.writeRecipe(soup, "Tomatensuppe",
            "### Ingredients\n\n * 1 kg ripe tomatoes\n * 3 onions\n * salt\n\n"
            + "### Metadata\n\nservings: 2\n"))
        verify(TestSupport.writeRecipe(pie, "Tarte à l'oignon",
            "### Ingredients\n\n * 2 onions\n * 200 g flour\n"))
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

    function drawerAction(window, text) {
        var actions = window.globalDrawer.actions
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].text === text)
                return actions[i]
        }
        return null
    }

    function pageAction(page, name) {
        for (var i = 0; i < page.actions.length; ++i) {
            if (page.actions[i].objectName === name)
                return page.actions[i]
        }
        return null
    }

    function notificationText(window) {
        return findChild(window.contentItem, "passiveNotification").text
    }

    function addFromRecipePage(window, path) {
        var page = window.pageStack.push(Qt.resolvedUrl("qrc:/qml/Recipe.qml"))
        page.path = path
        var action = pageAction(page, "addToShoppingListAction")
        verify(action, "the recipe page's action")
        compare(action.text, "Add to shopping list")
        action.trigger()
        return page
    }

    function openList(window) {
        drawerAction(window, "Shopping list").trigger()
        tryVerify(function() { return window.pageStack.currentItem.title === "Shopping list" })
        // Taps land where the page rests once it has slid in.
        tryVerify(function() { return window.pageStack.currentItem.mapToItem(null, 0, 0).x === 0 })
        var rows = findChild(window.pageStack.currentItem, "shoppingRows")
        verify(rows)
        waitForRendering(rows)
        return rows
    }

    function shownRows(rows) {
        var texts = []
        for (var i = 0; i < rows.count; ++i) {
            rows.positionViewAtIndex(i, ListView.Contain)
            var row = rows.itemAtIndex(i)
            texts.push((row.checked ? "[x] " : "[ ] ") + row.text)
        }
        return texts
    }

    function listFile() {
        return TestSupport.readText(cookbook + "/shopping-list.md")
    }

    function test_drawerActionsComeAfterTheFour() {
        var window = openWindow()
        var texts = []
        for (var i = 0; i < window.globalDrawer.actions.length; ++i)
            texts.push(window.globalDrawer.actions[i].text)
        compare(texts, ["Refresh", "Open cookbook", "Home", "Help", "Find", "Shopping list",
                        "Meal plan", "Pantry"])
        // Not on the help page, which is a recipe page without a path.
        drawerAction(window, "Help").trigger()
        compare(pageAction(window.pageStack.currentItem, "addToShoppingListAction"), null)
    }

    function test_addingFromTheRecipePage() {
        var window = openWindow()
        addFromRecipePage(window, soup)
        compare(notificationText(window), "Tomatensuppe added to the shopping list")
        addFromRecipePage(window, soup)
        compare(notificationText(window), "Tomatensuppe is already on the shopping list")
        addFromRecipePage(window, cookbook + "/gone.recipe.md")
        compare(notificationText(window), "No recipe to add")
        var text = listFile()
        verify(text.indexOf("- [Tomatensuppe](Suppen/Tomatensuppe%20für%20Jürgen.recipe.md) "
                            + "2 servings\n") >= 0, text)
        verify(text.indexOf("- [ ] 1 kg ripe tomatoes\n") >= 0, text)
    }

    function test_emptyListSaysSo() {
        var window = openWindow()
        var rows = openList(window)
        compare(rows.count, 0)
        verify(findChild(window.pageStack.currentItem, "emptyLabel").visible)
        compare(findChild(window.pageStack.currentItem, "emptyLabel").text, "Nothing to show")
    }

    function test_tickingMovesRowsToTheEnd() {
        var window = openWindow()
        addFromRecipePage(window, soup)
        var rows = openList(window)
        compare(shownRows(rows), ["[ ] 1 kg ripe tomatoes", "[ ] 3 onions", "[ ] salt"])
        rows.positionViewAtIndex(0, ListView.Contain)
        var first = rows.itemAtIndex(0)
        verify(first.height >= 48, "row height " + first.height)
        mouseClick(first)
        tryCompare(rows.itemAtIndex(2), "text", "1 kg ripe tomatoes")
        compare(shownRows(rows), ["[ ] 3 onions", "[ ] salt", "[x] 1 kg ripe tomatoes"])
        compare(rows.itemAtIndex(2).opacity, 0.5)
        verify(listFile().indexOf("- [x] 1 kg ripe tomatoes\n") >= 0, listFile())
    }

    function test_rowsWrittenByHand() {
        var window = openWindow()
        addFromRecipePage(window, pie)
        var rows = openList(window)
        var field = findChild(rows.headerItem, "addRowField")
        verify(field)
        verify(field.height >= 48)
        field.forceActiveFocus()
        field.text = "Klopapier"
        keyClick(Qt.Key_Return)
        compare(field.text, "")
        compare(shownRows(rows), ["[ ] 2 onions", "[ ] 200 g flour", "[ ] Klopapier"])
        verify(listFile().indexOf("- [ ] Klopapier\n") >= 0)
        // Removing the recipe leaves the row written by hand.
        var removeRecipe = findChild(rows.headerItem, "removeRecipeButton")
        verify(removeRecipe && removeRecipe.height >= 48)
        mouseClick(removeRecipe)
        compare(shownRows(rows), ["[ ] Klopapier"])
        rows.positionViewAtIndex(0, ListView.Contain)
        mouseClick(findChild(rows.itemAtIndex(0), "removeRowButton"))
        compare(rows.count, 0)
    }

    function test_servingsChangeTheAmounts() {
        var window = openWindow()
        addFromRecipePage(window, soup)
        var rows = openList(window)
        var more = findChild(rows.headerItem, "moreButton")
        mouseClick(more)
        mouseClick(more)
        compare(findChild(rows.headerItem, "amountLabel").text, "4 servings")
        compare(shownRows(rows)[1], "[ ] 6 onions")
        verify(listFile().indexOf("4 servings") >= 0)
        // At the fewest servings there is no fewer to ask for.
        var fewer = findChild(rows.headerItem, "fewerButton")
        verify(fewer.enabled)
        // Fewer and remove side by side must not look alike.
        var remove = findChild(rows.headerItem, "removeRecipeButton")
        verify(fewer.text + fewer.icon.name !== remove.text + remove.icon.name)
        verify(remove.text !== "\u2212" && remove.icon.name !== "list-remove")
        for (var i = 0; i < 3; ++i)
            mouseClick(fewer)
        compare(findChild(rows.headerItem, "amountLabel").text, "1 serving")
        verify(!fewer.enabled)
    }

    // A file it cannot read is left alone, and the window says so.
    function test_aFileTooLargeIsLeftAlone() {
        var text = "# Shopping list\n\n## To buy\n\n" + "- [ ] rice\n".repeat(100000)
        verify(TestSupport.writeTextElsewhere(cookbook + "/shopping-list.md", text, false))
        var window = openWindow()
        tryCompare(findChild(window.contentItem, "passiveNotification"), "text",
                   "The shopping list is kept on this computer only: "
                   + "shopping-list.md is larger than 1 MiB")
        compare(window.shoppingList.keptInFile, false)
        addFromRecipePage(window, pie)
        compare(listFile(), text)
        compare(openList(window).count, 2)
    }

    function test_copiesAChecklist() {
        var window = openWindow()
        addFromRecipePage(window, pie)
        openList(window)
        pageAction(window.pageStack.currentItem, "copyShoppingListAction").trigger()
        compare(TestSupport.clipboardText(), "- [ ] 2 onions\n- [ ] 200 g flour\n")
        pageAction(window.pageStack.currentItem, "clearShoppingListAction").trigger()
        compare(findChild(window.pageStack.currentItem, "shoppingRows").count, 0)
    }
}
