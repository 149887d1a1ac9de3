import QtQuick
import QtTest
import SaltroveTest 1.0

// The main window and the title list, loaded from the program's resources.
TestCase {
    id: testCase
    name: "MainWindow"

    property string cookbook

    function initTestCase() {
        cookbook = TestSupport.newFolder()
        verify(TestSupport.writeRecipe(cookbook + "/soups/tomato.recipe.md", "Tomato Soup",
                                       "Hot and red."))
        verify(TestSupport.writeRecipe(cookbook + "/pancakes.recipe.md", "Pancakes",
                                       "Flat and round."))
        verify(TestSupport.writeRecipe(cookbook + "/soups/green.recipe.md", "green soup with peas",
                                       "Green."))
        verify(TestSupport.writeRecipe(cookbook + "/bread.recipe.md", "Bread", "Baked."))
    }

    function openWindow(location) {
        TestSupport.setStoredLocation(location)
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var window = createTemporaryObject(component, null)
        verify(window)
        return window
    }

    // A window that shows the cookbook's four titles.
    function openScannedWindow() {
        var window = openWindow(cookbook)
        tryCompare(titleList(window), "count", 4)
        waitForRendering(window.contentItem)
        return window
    }

    function titleList(window) {
        var list = findChild(window.contentItem, "titleList")
        verify(list, "the main page's title list")
        return list
    }

    function searchField(window) {
        var list = titleList(window)
        verify(list.headerItem)
        return list.headerItem
    }

    function shownTitles(list) {
        var titles = []
        for (var i = 0; i < list.count; ++i) {
            list.positionViewAtIndex(i, ListView.Contain)
            titles.push(list.itemAtIndex(i).text)
        }
        return titles
    }

    function action(window, text) {
        var actions = window.globalDrawer.actions
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].text === text)
                return actions[i]
        }
        fail("no action " + text)
    }

    function notificationText(window) {
        var notification = findChild(window.contentItem, "passiveNotification")
        verify(notification)
        tryVerify(function() { return notification.visible }, 1000, "a notification shows")
        return notification.text
    }

    // The text items an item draws.
    function textItems(item, found) {
        for (var i = 0; i < item.children.length; ++i) {
            var child = item.children[i]
            if (child.text !== undefined && child.contentWidth !== undefined && child.visible)
                found.push(child)
            textItems(child, found)
        }
        return found
    }

    function tapTitle(window, title) {
        tryCompare(window.pageStack, "busy", false)
        var list = titleList(window)
        var titles = shownTitles(list)
        var row = titles.indexOf(title)
        verify(row >= 0, title + " in " + titles)
        list.positionViewAtIndex(row, ListView.Contain)
        mouseClick(list.itemAtIndex(row))
    }

    function test_opensEmptyUntilFirstScan() {
        var window = openWindow(cookbook)
        compare(window.width, 480)
        compare(window.height, 640)
        compare(window.title, "Saltrove")
        compare(window.pageStack.depth, 1)
        compare(window.pageStack.currentItem.title, "Saltrove")
        // The scan's result reaches the window only through the event loop.
        var list = titleList(window)
        var empty = findChild(window.contentItem, "emptyLabel")
        compare(list.count, 0)
        compare(empty.text, "Nothing to show")
        verify(empty.visible)
        tryCompare(list, "count", 4)
        verify(!empty.visible)
    }

    function test_emptyCollectionSaysSo() {
        var window = openWindow(TestSupport.newFolder())
        var published = createTemporaryQmlObject("import QtTest; SignalSpy { signalName: 'modelReset' }",
                                                 testCase)
        published.target = window.scanner.titleList
        published.wait(10000)
        compare(titleList(window).count, 0)
        verify(findChild(window.contentItem, "emptyLabel").visible)
    }

    function test_rowsShowTitlesAndOpenTheirRecipe() {
        // The list is bound before the first scan, when the list's rows have
        // no "path" role yet; the rows that arrive with the scan must use it.
        var window = openScannedWindow()
        compare(shownTitles(titleList(window)),
                ["Bread", "Pancakes", "Tomato Soup", "green soup with peas"])

        tapTitle(window, "Tomato Soup")
        compare(window.pageStack.depth, 2)
        tryCompare(window.pageStack, "busy", false)
        var recipe = window.pageStack.currentItem
        compare(recipe.title, "Tomato Soup")
        compare(recipe.path, cookbook + "/soups/tomato.recipe.md")
        var text = findChild(recipe, "recipeText")
        verify(text)
        var plain = text.getText(0, text.length)
        verify(plain.indexOf("Hot and red.") >= 0, plain)
        compare(text.baseUrl, "file://" + cookbook + "/soups/tomato.recipe.md")
    }

    // A title is text: "&" is shown as itself, never taken for a keyboard
    // mnemonic (which would hide it and underline the next character), and
    // the recipe page gets the title as it is. What a row draws is measured
    // against the title drawn as plain text in the row's own font.
    function test_ampersandsInTitlesAreShown_data() {
        return [
            {tag: "one", title: "Chorizo & Chickpea Soup"},
            {tag: "two", title: "Salt & Pepper & Lime"},
            {tag: "doubled", title: "R&&D Cookies"}
        ]
    }

    function test_ampersandsInTitlesAreShown(data) {
        var folder = TestSupport.newFolder()
        verify(TestSupport.writeRecipe(folder + "/dish.recipe.md", data.title, "Tasty."))
        var window = openWindow(folder)
        var list = titleList(window)
        tryCompare(list, "count", 1)
        waitForRendering(window.contentItem)
        var labels = textItems(list.itemAtIndex(0), [])
        compare(labels.length, 1)
        var plain = createTemporaryQmlObject("import QtQuick; Text {}", testCase)
        plain.font = labels[0].font
        plain.text = data.title
        fuzzyCompare(labels[0].contentWidth, plain.contentWidth, 1)
        verify(labels[0].contentWidth > 0)

        list.positionViewAtIndex(0, ListView.Contain)
        mouseClick(list.itemAtIndex(0))
        tryCompare(window.pageStack, "busy", false)
        compare(window.pageStack.currentItem.title, data.title)
    }

    function test_typingNarrowsWithoutRegardToCase() {
        var window = openScannedWindow()
        var list = titleList(window)
        var field = searchField(window)
        mouseClick(field)
        verify(field.activeFocus)

        var expected = [
            ["S", ["Pancakes", "Tomato Soup", "green soup with peas"]],
            ["O", ["Tomato Soup", "green soup with peas"]],
            ["U", ["Tomato Soup", "green soup with peas"]],
            ["P", ["Tomato Soup", "green soup with peas"]],
            [" ", ["green soup with peas"]],
        ]
        for (var i = 0; i < expected.length; ++i) {
            keyClick(expected[i][0])
            compare(shownTitles(list), expected[i][1], "after typing " + field.text)
        }
        compare(window.scanner.filter, "SOUP ")

        mouseClick(findChild(field, "clearButton"))
        compare(field.text, "")
        compare(window.scanner.filter, "")
        compare(list.count, 4)
    }

    function test_filterMatchingNothingSaysSo() {
        var window = openScannedWindow()
        var field = searchField(window)
        mouseClick(field)
        keyClick("x")
        keyClick("y")
        compare(titleList(window).count, 0)
        var label = findChild(window.contentItem, "emptyLabel")
        tryVerify(function() { return label.visible }, 1000, "Nothing to show")
    }

    function test_homeKeepsTheSearch() {
        var window = openScannedWindow()
        var field = searchField(window)
        mouseClick(field)
        keyClick("s")
        keyClick("o")
        tapTitle(window, "green soup with peas")
        compare(window.pageStack.depth, 2)
        action(window, "Home").trigger()
        compare(window.pageStack.depth, 1)
        compare(searchField(window).text, "so")
        compare(shownTitles(titleList(window)), ["Tomato Soup", "green soup with peas"])
    }

    function test_helpTwiceLeavesTwoHelpPages() {
        var window = openScannedWindow()
        action(window, "Help").trigger()
        action(window, "Help").trigger()
        compare(window.pageStack.depth, 3)
        var help = window.pageStack.currentItem
        compare(help.title, "Help")
        compare(help.path, "")
        var text = findChild(help, "recipeText")
        verify(text.getText(0, text.length).indexOf("Saltrove") === 0,
               text.getText(0, 40))
        window.pageStack.pop()
        compare(window.pageStack.depth, 2)
        compare(window.pageStack.currentItem.title, "Help")
    }

    function test_openCookbookDropsTheRecipePage() {
        var window = openScannedWindow()
        tapTitle(window, "Bread")
        compare(window.pageStack.depth, 2)
        action(window, "Open cookbook").trigger()
        compare(window.pageStack.depth, 2)
        var page = window.pageStack.currentItem
        verify(findChild(page, "folderList"), "the folder selection page is on top")
        compare(page.title, "Documents")
    }

    function test_choosingTheCurrentFolderReturnsHome() {
        var window = openScannedWindow()
        action(window, "Open cookbook").trigger()
        window.pageStack.currentItem.selected(cookbook)
        compare(window.pageStack.depth, 1)
        compare(notificationText(window), "Scanning")
        compare(window.scanner.rootPath, cookbook)
        compare(titleList(window).count, 4)
    }

    function test_choosingAnotherFolderScansIt() {
        var window = openScannedWindow()
        var other = TestSupport.newFolder()
        verify(TestSupport.writeRecipe(other + "/onion.recipe.md", "Onion soup", "Tears."))
        verify(TestSupport.writeRecipe(other + "/cake.recipe.md", "Cake", "Sweet."))
        // A search typed before stays applied to the new collection.
        mouseClick(searchField(window))
        keyClick("s")
        keyClick("o")
        action(window, "Open cookbook").trigger()
        window.pageStack.currentItem.selected(other)
        compare(window.pageStack.depth, 1)
        compare(notificationText(window), "Scanning")
        compare(TestSupport.storedLocation(), other)
        tryCompare(titleList(window), "count", 1)
        compare(shownTitles(titleList(window)), ["Onion soup"])
    }

    function test_refreshFindsNewRecipes() {
        var folder = TestSupport.newFolder()
        verify(TestSupport.writeRecipe(folder + "/bread.recipe.md", "Bread", "Baked."))
        var window = openWindow(folder)
        tryCompare(titleList(window), "count", 1)
        verify(TestSupport.writeRecipe(folder + "/salad.recipe.md", "Salad", "Fresh."))
        action(window, "Refresh").trigger()
        compare(notificationText(window), "Refreshing")
        tryCompare(titleList(window), "count", 2)
        verify(shownTitles(titleList(window)).indexOf("Salad") >= 0)
    }

    function test_drawerOpensFromTheHeader() {
        var window = openScannedWindow()
        var button = findChild(window.header, "globalDrawerButton")
        verify(button, "the header's menu button")
        mouseClick(button)
        tryCompare(window.globalDrawer, "position", 1)
        tryVerify(function() { return window.globalDrawer.opened })
        // Its actions are there to tap.
        var help = null
        var items = window.globalDrawer.contentItem.contentItem.children[0].children
        for (var i = 0; i < items.length; ++i) {
            if (items[i].text === "Help")
                help = items[i]
        }
        verify(help, "a Help entry in the drawer")
        mouseClick(help)
        compare(window.pageStack.depth, 2)
        compare(window.pageStack.currentItem.title, "Help")
        tryVerify(function() { return !window.globalDrawer.visible })
    }
}
