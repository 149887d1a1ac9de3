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
            {tag: "a run as long as a word may be", body: "x".repeat(1000), anywhere: false},
            // What is never displayed does not count.
            {tag: "a long link target", body: "see [the notes](" + "n".repeat(5000) + ") here",
             shown: "see the notes here", anywhere: false},
            {tag: "an embedded image", body: "look ![dot](data:image/png;base64,"
                + "A".repeat(20000) + ") there", shown: "look", anywhere: false}
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
        verify(text.getText(0, text.length).indexOf(data.shown || data.body) >= 0)
        compare(text.baseUrl, "file://" + path)
    }

    function openRecipe(path) {
        var component = Qt.createComponent("qrc:/qml/Recipe.qml")
        compare(component.status, Component.Ready, component.errorString())
        var page = createTemporaryObject(component, testCase)
        verify(page)
        page.path = path
        return findChild(page, "recipeText")
    }

    // Relative pictures resolve against the recipe file, whatever characters
    // its folder's name holds.
    function test_theBaseIsTheRecipeFilesUrl_data() {
        return [
            {tag: "hash", folder: "C#", encoded: "C%23"},
            {tag: "percent and blank", folder: "50% done", encoded: "50%25 done"},
            {tag: "question mark", folder: "what?", encoded: "what%3F"},
            {tag: "plain", folder: "soups", encoded: "soups"}
        ]
    }

    function test_theBaseIsTheRecipeFilesUrl(data) {
        var root = TestSupport.newFolder()
        var path = root + "/" + data.folder + "/dish.recipe.md"
        verify(TestSupport.writeRecipe(path, "Dish", "![photo](photo.png)"))
        var text = openRecipe(path)
        compare(String(text.baseUrl), "file://" + root + "/" + data.encoded + "/dish.recipe.md")
    }

    // A picture naming a FIFO or a device renders as nothing: the page shows
    // the rest of the recipe instead of waiting for a writer for good or
    // reading a device without end.
    function test_picturesThatMustNotBeRead_data() {
        return [
            {tag: "FIFO beside the recipe", reference: "pipe.png", make: "fifo"},
            {tag: "link to a FIFO", reference: "linked.png", make: "fifo link"},
            {tag: "device by absolute path", reference: "/dev/zero", make: ""},
            {tag: "link to a device", reference: "zero.png", make: "device link"}
        ]
    }

    function test_picturesThatMustNotBeRead(data) {
        var root = TestSupport.newFolder()
        if (data.make === "fifo" || data.make === "fifo link")
            verify(TestSupport.makeFifo(root + "/pipe.png"))
        if (data.make === "fifo link")
            verify(TestSupport.makeLink(root + "/pipe.png", root + "/linked.png"))
        if (data.make === "device link")
            verify(TestSupport.makeLink("/dev/zero", root + "/zero.png"))
        var path = root + "/pictured.recipe.md"
        verify(TestSupport.writeRecipe(path, "Pictured",
            "Before.\n\n![x](" + data.reference + ")\n\nAfter the picture."))
        var text = openRecipe(path)
        verify(text.contentHeight > 0) // laid out, pictures included
        verify(text.getText(0, text.length).indexOf("After the picture.") >= 0)
    }

    // Pictures on this computer are still shown, wherever the reference leads.
    function test_picturesAreShown_data() {
        return [
            {tag: "beside the recipe", reference: "photo.png", at: "C# dishes/photo.png"},
            {tag: "in a sibling folder", reference: "../pictures/photo.png",
             at: "pictures/photo.png"},
            {tag: "by absolute path", reference: "", at: "elsewhere/photo.png"}
        ]
    }

    function test_picturesAreShown(data) {
        var root = TestSupport.newFolder()
        verify(TestSupport.writePicture(root + "/" + data.at, 12, 480))
        var path = root + "/C# dishes/pictured.recipe.md"
        var reference = data.reference || (root + "/" + data.at)
        verify(TestSupport.writeRecipe(path, "Pictured", "![p](" + reference + ")\n\nAfter."))
        var text = openRecipe(path)
        verify(text.getText(0, text.length).indexOf("After.") >= 0)
        verify(text.contentHeight >= 480, "content height " + text.contentHeight)
    }
}
