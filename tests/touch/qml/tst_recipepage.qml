import QtQuick
import QtTest
import SaltroveTest 1.0

// The recipe page on its own, loaded from the program's resources.
TestCase {
    id: testCase
    name: "RecipePage"

    // Word wrapping would take minutes over a run of megabytes without a
    // space; the page shows such a recipe whole, wrapped anywhere, and keeps
    // wrapping other recipes at word boundaries.
    function test_longUnbrokenRunsAreShownWhole_data() {
        return [
            {tag: "three megabytes without a space", body: "w".repeat(3 << 20), anywhere: true},
            {tag: "a run just longer than a word", body: "a " + "x".repeat(1001) + " b",
             anywhere: true},
            {tag: "a long paragraph of words", body: "pepper ".repeat(100000).trim(),
             anywhere: false},
            {tag: "a run as long as a word may be", body: "x".repeat(1000), anywhere: false}
        ]
    }

    function test_longUnbrokenRunsAreShownWhole(data) {
        var path = TestSupport.newFolder() + "/wide.recipe.md"
        verify(TestSupport.writeRecipe(path, "Wide", data.body))
        var component = Qt.createComponent("qrc:/qml/Recipe.qml")
        compare(component.status, Component.Ready, component.errorString())
        var page = createTemporaryObject(component, testCase)
        verify(page)
        var text = findChild(page, "recipeText")
        compare(text.wrapMode, TextEdit.WordWrap) // the introduction

        page.path = path
        compare(text.wrapMode, data.anywhere ? TextEdit.WrapAnywhere : TextEdit.WordWrap)
        verify(text.getText(0, text.length).indexOf(data.body) >= 0)
        compare(text.baseUrl, "file://" + path)
    }
}
