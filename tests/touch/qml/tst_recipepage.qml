import QtQuick
import QtTest
import SaltroveTest 1.0

// The recipe page on its own, loaded from the program's resources.
TestCase {
    id: testCase
    name: "RecipePage"
    // A window of its own for a page whose pictures are checked as drawn.
    Component {
        id: windowComponent
        Window {
            visible: true
            width: 400
            height: 700
        }
    }

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

    // Share… writes the recipe as one page with its picture inside and hands
    // that page to the opener; a recipe gone meanwhile opens nothing.
    function test_shareWritesThePageAndOpensIt_data() {
        return [
            {tag: "German with a picture", title: "Käsespätzle", body: "![p](p.png)\n\n### Ingredients\n\n * 400 g Mehl",
             picture: true},
            {tag: "Chinese", title: "番茄炒蛋", body: "### Ingredients\n\n * 番茄 2 个", picture: false},
            {tag: "removed before sharing", title: "Gone", body: "", picture: false, remove: true}
        ]
    }

    function test_shareWritesThePageAndOpensIt(data) {
        var root = TestSupport.newFolder()
        var path = root + "/dish.recipe.md"
        verify(TestSupport.writeRecipe(path, data.title, data.body))
        if (data.picture)
            verify(TestSupport.writePicture(root + "/p.png", 40, 30))
        var component = Qt.createComponent("qrc:/qml/Recipe.qml")
        compare(component.status, Component.Ready, component.errorString())
        var page = createTemporaryObject(component, testCase)
        page.path = path
        var opened = []
        page.openPage = function(url) { opened.push(String(url)); return true }
        var share = null
        for (var i = 0; i < page.actions.length; ++i) {
            if (page.actions[i].objectName === "shareAction")
                share = page.actions[i]
        }
        verify(share)
        compare(page.actions[2], share) // after the original actions
        if (data.remove)
            page.path = root + "/gone.recipe.md"
        share.trigger()
        if (data.remove) {
            compare(opened.length, 0)
            return
        }
        compare(opened.length, 1)
        verify(opened[0].indexOf("file://") === 0)
        verify(opened[0].indexOf(root) < 0) // written elsewhere, never beside the recipe
        var html = TestSupport.readText(decodeURIComponent(opened[0].substring(7)))
        verify(html.indexOf("application/ld+json") > 0)
        verify(html.indexOf(data.title) > 0)
        compare(html.indexOf("data:image/") > 0, data.picture)
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
            {tag: "by absolute path", reference: "", at: "elsewhere/photo.png"},
            {tag: "WebP", reference: "photo.webp", at: "C# dishes/photo.webp"},
            {tag: "Chinese name", reference: "白蘑菇.jpg", at: "C# dishes/白蘑菇.jpg"},
            {tag: "Chinese folder by absolute path", reference: "", at: "菜谱/汤/照片.png"},
            {tag: "accents and blanks", reference: "crème%20brûlée.png",
             at: "C# dishes/crème brûlée.png"},
            {tag: "hash, percent, question mark, ampersand", reference: "a%23b%25c%3Fd&e.png",
             at: "C# dishes/a#b%c?d&e.png"}
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

    // A picture wider than the page is shown as wide as the page, in its own
    // proportions; a narrower one keeps its size.
    function test_widePicturesFitThePage_data() {
        return [
            {tag: "phone photo", width: 3000, height: 1500, fitted: true},
            {tag: "wide WebP", width: 2000, height: 500, fitted: true, file: "wide.webp"},
            {tag: "narrower than the page", width: 200, height: 480, fitted: false}
        ]
    }

    function test_widePicturesFitThePage(data) {
        var root = TestSupport.newFolder()
        var file = data.file || "photo.jpg"
        verify(TestSupport.writePicture(root + "/" + file, data.width, data.height))
        var path = root + "/pictured.recipe.md"
        verify(TestSupport.writeRecipe(path, "Pictured", "![p](" + file + ")\n\nAfter."))
        var component = Qt.createComponent("qrc:/qml/Recipe.qml")
        var page = createTemporaryObject(component, testCase, {width: 400, height: 600})
        verify(page)
        page.path = path
        var text = findChild(page, "recipeText")
        verify(text.width > 0 && text.width <= 400, "text width " + text.width)
        var expected = data.fitted ? data.height * text.width / data.width : data.height
        tryVerify(function() {
            return text.contentHeight >= expected && text.contentHeight < expected + 80
        }, 5000, "content height " + text.contentHeight + ", picture " + expected)
    }

    // A numbered step that is only a picture keeps the picture on its own
    // line, below the step before it, instead of drawing it over that step.
    function test_aStepOfOnlyAPictureStaysInPlace() {
        var root = TestSupport.newFolder()
        verify(TestSupport.writePicture(root + "/step.png", 120, 200))
        var path = root + "/steps.recipe.md"
        verify(TestSupport.writeRecipe(path, "Steps",
            "### Directions\n\n1. Chop the onions.\n2. ![chopped](step.png)\n3. Fry them."))
        var window = createTemporaryObject(windowComponent, null)
        verify(window)
        var component = Qt.createComponent("qrc:/qml/Recipe.qml")
        var page = createTemporaryObject(component, window.contentItem, {width: 400, height: 700})
        verify(page)
        page.path = path
        var text = findChild(page, "recipeText")
        var shown = text.getText(0, text.length)
        var chop = text.positionToRectangle(shown.indexOf("Chop"))
        var fry = text.positionToRectangle(shown.indexOf("Fry"))
        var picture = text.positionToRectangle(shown.indexOf("\ufffc"))
        verify(picture.y >= chop.y + chop.height, "picture at " + picture.y + ", chop at " + chop.y)
        verify(fry.y >= picture.y + 200, "fry at " + fry.y + ", picture at " + picture.y)
        // Drawn where it is laid out, and not over the step before it.
        var image = null
        function isGreen(x, y) {
            var at = text.mapToItem(page, x, y)
            var c = image.pixel(at.x, at.y)
            // the test pictures are Qt's dark green, #008000
            return c.r < 0.1 && Math.abs(c.g - 0.5) < 0.1 && c.b < 0.1
        }
        tryVerify(function() {
            image = grabImage(page)
            return isGreen(picture.x + 60, picture.y + picture.height / 2)
        }, 5000, "no picture where it is laid out")
        verify(!isGreen(chop.x + 4, chop.y + chop.height / 2), "the picture covers the step before")
    }
}
