import QtQuick
import QtTest
import SaltroveTest 1.0

// The Find page over a real scanner and the core's finder on its own thread.
TestCase {
    id: testCase
    name: "FindPage"
    when: windowShown

    property string cookbook
    property var window

    function writeRecipe(path, title, tags, ingredients) {
        var body = "A dish.\n\n### Ingredients\n\n"
        for (var i = 0; i < ingredients.length; ++i)
            body += " * 1 kg " + ingredients[i] + "\n"
        body += "\n### Directions\n\nCook it.\n\n### Metadata\n\ntags: " + tags.join(", ") + "\n"
        verify(TestSupport.writeRecipe(cookbook + "/" + path, title, body))
    }

    function initTestCase() {
        cookbook = TestSupport.newFolder()
        writeRecipe("soups/tomato.recipe.md", "Tomato Soup", ["soup", "vegetarian"],
                    ["red onions", "garlic", "basil"])
        writeRecipe("soups/pea.recipe.md", "Pea Soup", ["soup"], ["Onions", "carrots"])
        writeRecipe("pesto.recipe.md", "Basil Pesto", ["Quick"], ["basil", "garlic", "pine nuts"])
        writeRecipe("brulee.recipe.md", "Crème Brûlée", ["dessert"], ["cream", "sugar"])
        writeRecipe("rice.recipe.md", "Fried Rice", ["quick"], ["rice", "scallions"])
        writeRecipe("Gerichte/zwiebelkuchen.recipe.md", "Zwiebelkuchen", ["Backen"],
                    ["Zwiebeln", "Mehl"])
        TestSupport.setStoredLocation(cookbook)
        var component = Qt.createComponent("qrc:/qml/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        // One window for all the cases: made here, ended in cleanupTestCase.
        window = component.createObject(null)
        verify(window)
        tryCompare(findChild(window.contentItem, "titleList"), "count", 6)
    }

    function cleanupTestCase() {
        window.destroy()
    }

    function openFind() {
        var actions = window.globalDrawer.actions
        for (var i = 0; i < actions.length; ++i) {
            if (actions[i].text === "Find")
                actions[i].trigger()
        }
        tryVerify(function() { return window.pageStack.currentItem.title === "Find" })
        tryVerify(function() { return window.pageStack.currentItem.mapToItem(null, 0, 0).x === 0 })
        return window.pageStack.currentItem
    }

    function shownResults(page) {
        var list = findChild(page, "findResults")
        var shown = []
        for (var i = 0; i < list.count; ++i) {
            list.positionViewAtIndex(i, ListView.Contain)
            shown.push(list.itemAtIndex(i).text.replace("\n", "|"))
        }
        return shown
    }

    function test_findRules_data() {
        return [
            {tag: "accents and case", text: "creme BRULEE", ingredients: [], tags: [],
             rows: ["Crème Brûlée"], status: "1 recipe"},
            {tag: "title order", text: "soup", ingredients: [], tags: [],
             rows: ["Pea Soup", "Tomato Soup"], status: "2 recipes"},
            {tag: "nothing found", text: "caramel", ingredients: [], tags: [], rows: [],
             status: "0 recipes"},
            {tag: "ingredient at a word start", text: "", ingredients: ["onion"], tags: [],
             rows: ["Pea Soup", "Tomato Soup"], status: "2 recipes"},
            {tag: "ingredients, one missing", text: "", ingredients: ["onion", "basil"],
             tags: [], rows: ["Tomato Soup", "Basil Pesto|missing: onion",
                              "Pea Soup|missing: basil"], status: "1 recipe"},
            {tag: "tag without case", text: "", ingredients: [], tags: ["QUICK"],
             rows: ["Basil Pesto", "Fried Rice"], status: "2 recipes"},
            {tag: "all kinds at once", text: "dish", ingredients: ["garlic"], tags: ["soup"],
             rows: ["Tomato Soup"], status: "1 recipe"}
        ]
    }

    function test_findRules(data) {
        var page = openFind()
        var search = page.search
        compare(findChild(page, "emptyLabel").visible, true)
        compare(findChild(page, "emptyLabel").text, "Nothing to show")
        search.text = data.text
        for (var i = 0; i < data.ingredients.length; ++i)
            search.chooseIngredient(data.ingredients[i])
        for (var j = 0; j < data.tags.length; ++j)
            search.chooseTag(data.tags[j])
        tryCompare(search, "status", data.status)
        tryCompare(findChild(page, "findResults"), "count", data.rows.length)
        compare(shownResults(page), data.rows)
        window.pageStack.pop()
    }

    // Ingredients are chosen from what the cookbook's recipes name, by any
    // word of the name, and a tap on a result opens the recipe.
    function test_choosingByThumb() {
        var page = openFind()
        var list = findChild(page, "findResults")
        var field = findChild(list.headerItem, "ingredientField")
        verify(field && field.height >= 48)
        field.forceActiveFocus()
        field.text = "zwieb"
        var suggestions = findChild(list.headerItem, "ingredientSuggestions")
        tryCompare(suggestions, "count", 1)
        var offered = suggestions.itemAt(0)
        compare(offered.text, "Zwiebeln")
        verify(offered.height >= 48)
        mouseClick(offered)
        compare(page.search.ingredients, ["Zwiebeln"])
        compare(field.text, "")
        tryCompare(list, "count", 1)
        var chosen = findChild(list.headerItem, "ingredientChosen")
        compare(chosen.count, 1)

        list.positionViewAtIndex(0, ListView.Contain)
        var result = list.itemAtIndex(0)
        verify(result.height >= 48)
        mouseClick(result)
        tryVerify(function() { return window.pageStack.currentItem.title === "Zwiebelkuchen" })
        verify(window.pageStack.currentItem.path.indexOf("zwiebelkuchen.recipe.md") > 0)
        window.pageStack.pop()
        tryVerify(function() { return window.pageStack.currentItem === page })
        tryVerify(function() { return page.mapToItem(null, 0, 0).x === 0 })
        // Dropped by a tap on it.
        mouseClick(chosen.itemAt(0))
        compare(page.search.ingredients, [])
        tryCompare(list, "count", 0)
        window.pageStack.pop()
    }

    // Enter chooses what was typed, as the desktop's pane does, not the first
    // name offered: "Zwiebel" finds the three recipes whose lines begin a word
    // with it. An offered name is chosen when the arrow keys pick it.
    function test_enterChoosesWhatWasTyped() {
        var onions = TestSupport.newFolder()
        var lines = {salat: "- rote Zwiebel\n- Gurke", suppe: "- Zwiebeln\n- Wasser",
                     kuchen: "- 2 Zwiebeln, gewürfelt\n- Mehl", brot: "- Mehl"}
        for (var name in lines) {
            var title = name.charAt(0).toUpperCase() + name.slice(1)
            verify(TestSupport.writeRecipe(onions + "/" + name + ".recipe.md", title,
                                           "### Ingredients\n\n" + lines[name]))
        }
        var titles = findChild(window.contentItem, "titleList")
        window.scanner.rootPath = onions
        tryCompare(titles, "count", 4)
        var page = openFind()
        var list = findChild(page, "findResults")
        var field = findChild(list.headerItem, "ingredientField")
        var suggestions = findChild(list.headerItem, "ingredientSuggestions")
        field.forceActiveFocus()
        field.text = "Zwiebel"
        verify(suggestions.count > 0)
        keyClick(Qt.Key_Return)
        compare(page.search.ingredients, ["Zwiebel"])
        compare(field.text, "")
        tryCompare(page.search, "status", "3 recipes")
        tryCompare(list, "count", 3)
        compare(shownResults(page), ["Kuchen", "Salat", "Suppe"])

        field.text = "ROTE"
        compare(suggestions.count, 1)
        keyClick(Qt.Key_Down)
        verify(suggestions.itemAt(0).highlighted)
        keyClick(Qt.Key_Return)
        compare(page.search.ingredients, ["Zwiebel", "rote Zwiebel"])
        tryCompare(page.search, "status", "1 recipe")
        tryCompare(list, "count", 3)
        compare(shownResults(page), ["Salat", "Kuchen|missing: rote Zwiebel",
                                     "Suppe|missing: rote Zwiebel"])

        window.pageStack.pop()
        window.scanner.rootPath = cookbook
        tryCompare(titles, "count", 6)
    }

    // The journal's switches, as high as a thumb needs, drive the search's
    // journal filter over the window's journal.
    function test_journalSwitches() {
        verify(TestSupport.writeRecipe(cookbook + "/cooking-journal.md", "Cooking journal",
            "- 2026-12-01 [Fried Rice](rice.recipe.md) ★★★★★\n"
            + "- 2026-12-02 [Erbsensuppe](soups/pea.recipe.md) 4/5 mit Speck\n"
            + "- 2026-12-03 [Pesto](pesto.recipe.md) ★★☆☆☆\n"))
        tryCompare(window.cookingJournal, "entryCount", 3, 20000)
        var page = openFind()
        compare(page.search.journalFilter.journal, window.cookingJournal)
        var list = findChild(page, "findResults")
        var favourites = findChild(list.headerItem, "findFavourites")
        verify(favourites.height >= page.target)
        mouseClick(favourites)
        tryCompare(page.search, "status", "2 recipes", 20000)
        compare(shownResults(page), ["Fried Rice", "Pea Soup"])
        mouseClick(findChild(list.headerItem, "findByLastCooked"))
        tryVerify(function() { return shownResults(page)[0] === "Pea Soup" }, 20000)
        compare(shownResults(page), ["Pea Soup", "Fried Rice"])
        window.pageStack.pop()
    }
    // "From my pantry", as high as a thumb needs, cooks from the window's
    // pantry: what it can cook now, then what it lacks one, then two of.
    function test_fromMyPantry() {
        verify(TestSupport.writeRecipe(cookbook + "/pantry.md", "Pantry",
            "- basil\n- 2 heads garlic\n- pine nuts\n- 200 ml cream\n- 1 kg Zwiebeln\n"))
        tryCompare(window.pantry, "count", 5, 20000)
        var page = openFind()
        compare(page.search.pantry, window.pantry)
        var list = findChild(page, "findResults")
        var fromPantry = findChild(list.headerItem, "findFromPantry")
        verify(fromPantry.height >= page.target)
        mouseClick(fromPantry)
        tryCompare(page.search, "status", "2 recipes", 20000)
        compare(shownResults(page), ["Basil Pesto", "Crème Brûlée",
                                     "Tomato Soup|missing: red onions",
                                     "Zwiebelkuchen|missing: Mehl",
                                     "Fried Rice|missing: rice, scallions",
                                     "Pea Soup|missing: carrots, Onions"])
        window.pageStack.pop()
    }
}
