import QtQuick
import QtTest
import SaltroveTest 1.0

// The folder selection page and its folder list, reached as a user reaches
// them: through "Open cookbook" in the main window.
TestCase {
    id: testCase
    name: "FolderPage"

    property string documents: TestSupport.documents

    function initTestCase() {
        // Documents: Alpha (with Sub1, Sub2), beta, .hidden and a file.
        verify(TestSupport.makeFolder(documents + "/Alpha/Sub1"))
        verify(TestSupport.makeFolder(documents + "/Alpha/Sub2"))
        verify(TestSupport.makeFolder(documents + "/beta"))
        verify(TestSupport.makeFolder(documents + "/.hidden"))
        verify(TestSupport.writeRecipe(documents + "/notes.recipe.md", "Notes", "Not a folder."))
    }

    // The window with the folder selection page on top.
    function openFolderPage() {
        TestSupport.setStoredLocation(TestSupport.newFolder())
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        var window = createTemporaryObject(component, null)
        verify(window)
        var actions = window.globalDrawer.actions
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].text === "Open cookbook")
                actions[i].trigger()
        }
        compare(window.pageStack.depth, 2)
        tryCompare(window.pageStack, "busy", false)
        return window
    }

    function folderList(window) {
        var list = findChild(window.pageStack.currentItem, "folderList")
        verify(list)
        return list
    }

    function shown(list) {
        var names = []
        for (var i = 0; i < list.count; ++i) {
            list.positionViewAtIndex(i, ListView.Contain)
            names.push(list.itemAtIndex(i).contentItem.title)
        }
        return names
    }

    function row(list, name) {
        var index = shown(list).indexOf(name)
        verify(index >= 0, name + " in " + shown(list))
        list.positionViewAtIndex(index, ListView.Contain)
        return list.itemAtIndex(index)
    }

    function tapRow(list, name) {
        // On the title, away from the round button.
        var item = row(list, name)
        mouseClick(item, item.width / 4, item.height / 2)
    }

    function test_startsInDocumentsListingFolders() {
        var window = openFolderPage()
        var page = window.pageStack.currentItem
        var list = folderList(window)
        compare(page.title, "Documents")
        compare(list.path, documents)
        compare(list.currentIndex, -1)
        compare(shown(list), ["Alpha", "beta"])
        var alpha = row(list, "Alpha")
        compare(alpha.contentItem.icon.name, "folder")
    }

    function test_firstTapMarksSecondEnters() {
        var window = openFolderPage()
        var page = window.pageStack.currentItem
        var list = folderList(window)
        tapRow(list, "Alpha")
        compare(list.currentIndex, 0)
        compare(list.path, documents)
        tapRow(list, "beta")
        compare(list.currentIndex, 1, "a tap on another row moves the mark")
        compare(list.path, documents)
        tapRow(list, "beta")
        compare(list.path, documents + "/beta")
        compare(page.title, "beta")
        compare(list.count, 0)
        verify(findChild(list, "emptyLabel").visible)
        compare(list.currentIndex, -1)
    }

    function test_searchFieldRemovesTheMark() {
        var window = openFolderPage()
        var list = folderList(window)
        tapRow(list, "beta")
        compare(list.currentIndex, 1)
        mouseClick(list.headerItem)
        verify(list.headerItem.activeFocus)
        compare(list.currentIndex, -1)
    }

    function test_searchIsCaseSensitiveAndClearedOnNavigation() {
        var window = openFolderPage()
        var page = window.pageStack.currentItem
        var list = folderList(window)
        var field = list.headerItem
        mouseClick(field)
        keyClick("b")
        compare(shown(list), ["beta"])
        keyClick(Qt.Key_Backspace)
        keyClick("B")
        compare(shown(list), [], "capitals do not find small letters")
        keyClick(Qt.Key_Backspace)
        keyClick("A")
        compare(shown(list), ["Alpha"])

        // Entering a folder empties the search.
        tapRow(list, "Alpha")
        tapRow(list, "Alpha")
        compare(page.title, "Alpha")
        compare(field.text, "")
        compare(shown(list), ["Sub1", "Sub2"])

        // So does going up.
        mouseClick(field)
        keyClick("2")
        compare(shown(list), ["Sub2"])
        mouseClick(findChild(field, "upButton"))
        compare(page.title, "Documents")
        compare(field.text, "")
        compare(shown(list), ["Alpha", "beta"])

        // And the clear button, without moving.
        mouseClick(field)
        keyClick("b")
        compare(shown(list), ["beta"])
        mouseClick(findChild(field, "clearButton"))
        compare(field.text, "")
        compare(shown(list), ["Alpha", "beta"])
    }

    function test_upReachesTheRoot() {
        var window = openFolderPage()
        var page = window.pageStack.currentItem
        var list = folderList(window)
        var up = findChild(list.headerItem, "upButton")
        var steps = documents.split("/").length
        for (var i = 0; i < steps && list.path !== "/"; ++i)
            mouseClick(up)
        compare(list.path, "/")
        compare(page.title, "")
        // Going up from the root lists the root again.
        var atRoot = shown(list)
        mouseClick(up)
        compare(list.path, "/")
        compare(shown(list), atRoot)
    }

    function test_showHiddenFolders() {
        var window = openFolderPage()
        var page = window.pageStack.currentItem
        var list = folderList(window)
        compare(page.actions.length, 1)
        var showHidden = page.actions[0]
        compare(showHidden.text, "Show hidden folders")
        verify(showHidden.checkable)
        verify(!showHidden.checked)

        // Through the header's button for the page's actions.
        var button = findChild(window.header, "contextDrawerButton")
        verify(button && button.visible)
        mouseClick(button)
        tryCompare(window.contextDrawer, "position", 1)
        compare(window.contextDrawer.actions.length, 1)
        showHidden.trigger()
        verify(showHidden.checked)
        compare(shown(list), [".hidden", "Alpha", "beta"])
        showHidden.trigger()
        verify(!showHidden.checked)
        compare(shown(list), ["Alpha", "beta"])
    }

    function test_roundButtonChoosesAtOnce() {
        var window = openFolderPage()
        var list = folderList(window)
        var alpha = row(list, "Alpha")
        var circle = findChild(alpha, "chooseButton")
        verify(circle)
        compare(circle.height, alpha.contentItem.height * 3)
        mouseClick(circle)
        compare(window.pageStack.depth, 1)
        compare(window.scanner.rootPath, documents + "/Alpha")
        compare(TestSupport.storedLocation(), documents + "/Alpha")
        compare(findChild(window.contentItem, "passiveNotification").text, "Scanning")
    }
}
