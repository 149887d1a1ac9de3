import QtQuick 2.5
import QtQuick.Controls 2.0
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

Tessellate.ScrollablePage {
    id: page

    property alias path: loader.path

    title: qsTr("Recipe")

    // Help shows the introduction through this page without a path: no
    // recipe, no actions.
    actions: page.path !== "" ? [cookAction, shoppingAction, shareAction, planAction, markCookedAction] : []

    // Opens a written page with the system's handler; tests put their own
    // in its place.
    property var openPage: function(url) { return Qt.openUrlExternally(url) }

    Tessellate.Action {
        id: cookAction
        objectName: "cookAction"
        text: qsTr("Cook")
        icon.name: "chronometer"
        onTriggered: page.cook()
    }

    Tessellate.Action {
        id: shoppingAction
        objectName: "addToShoppingListAction"
        text: qsTr("Add to shopping list")
        icon.name: "view-list-details"
        onTriggered: {
            var window = page.ApplicationWindow.window
            if (!window || !window.shoppingList)
                return
            window.showPassiveNotification(window.shoppingList.addRecipe(page.path))
        }
    }

    Tessellate.Action {
        id: shareAction
        objectName: "shareAction"
        text: qsTr("Share…")
        icon.name: "document-share"
        onTriggered: page.share()
    }

    Tessellate.Action {
        id: planAction
        objectName: "planRecipeAction"
        text: qsTr("Plan…")
        icon.name: "appointment-new"
        onTriggered: {
            var window = page.ApplicationWindow.window
            if (!window || !window.mealPlan)
                return
            planDialog.mealPlan = window.mealPlan
            planDialog.open()
        }
    }

    PlanDialog {
        id: planDialog
        path: page.path
        onPlanned: function(text) {
            var window = page.ApplicationWindow.window
            if (window && window.showPassiveNotification)
                window.showPassiveNotification(text)
        }
    }

    Tessellate.Action {
        id: markCookedAction
        objectName: "markCookedAction"
        text: qsTr("Mark as cooked")
        icon.name: "checkmark"
        onTriggered: {
            var window = page.ApplicationWindow.window
            if (!window || !window.cookingJournal)
                return
            if (window.cookingJournal.markCooked(page.path))
                window.showPassiveNotification(qsTr("Added to the cooking journal: %1")
                                               .arg(window.cookingJournal.summary(page.path)))
        }
    }

    RecipeShare {
        id: recipeShare
    }

    function share() {
        var url = recipeShare.writePage(page.path)
        var window = page.ApplicationWindow.window
        if (String(url) === "" || !page.openPage(url)) {
            if (window && window.showPassiveNotification)
                window.showPassiveNotification(qsTr("The recipe could not be shared"))
        }
    }

    function cook() {
        ApplicationWindow.window.pageStack.push(Qt.resolvedUrl("Cook.qml"), {path: page.path})
    }

    DocumentLoader {
        id: loader
        // Pictures wider than the page are shown as wide as it.
        pictureWidth: Math.floor(recipeText.width)
        onChanged: page.show(textForDisplay())
        onPictureWidthChanged: refit.restart()
    }

    // A page that changes its width (turned, resized) shows its pictures
    // again once the width has settled.
    Timer {
        id: refit
        interval: 100
        onTriggered: page.show(loader.textForDisplay())
    }

    // Word wrapping lays out a run of text without a word boundary in time
    // growing with the square of its length: a recipe holding megabytes
    // without a space froze the page for minutes. Such text is wrapped
    // anywhere instead. The text is set under the fast mode, after the old
    // text is dropped, and word wrapping comes back only when what is
    // displayed allows it: a long link target or an embedded image is never
    // shown and does not count.
    function show(text) {
        recipeText.text = ""
        // Relative links and pictures are found beside the recipe file.
        recipeText.baseUrl = fileUrl(loader.path)
        recipeText.wrapMode = TextEdit.WrapAnywhere
        loader.render(recipeText.textDocument, text)
        if (!/\S{1001}/.test(recipeText.getText(0, recipeText.length)))
            recipeText.wrapMode = TextEdit.WordWrap
    }

    // A file URL of an absolute path, with every character that has a
    // meaning in a URL ('#', '?', '%') percent-encoded.
    function fileUrl(path) {
        return "file://" + path.split("/").map(encodeURIComponent).join("/")
    }

    Component.onCompleted: show(loader.textForDisplay())

    TextEdit {
        id: recipeText
        objectName: "recipeText"
        readOnly: true
        selectByMouse: false
        textFormat: TextEdit.MarkdownText
        wrapMode: TextEdit.WordWrap
        font: Tessellate.Theme.defaultFont
        color: Tessellate.Theme.textColor
    }
}
