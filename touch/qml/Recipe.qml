import QtQuick 2.5
import QtQuick.Controls 2.0
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

Tessellate.ScrollablePage {
    id: page

    property alias path: loader.path

    title: qsTr("Recipe")

    DocumentLoader {
        id: loader
        onChanged: page.show(text)
    }

    // Word wrapping lays out a run of text without a word boundary in time
    // growing with the square of its length: a recipe holding megabytes
    // without a space froze the page for minutes. Such text is wrapped
    // anywhere instead. The mode is chosen before the text is set, and the
    // old text is dropped first, so no text is ever laid out under the slow
    // mode it does not suit.
    function show(text) {
        recipeText.text = ""
        // Relative links and pictures are found beside the recipe file.
        recipeText.baseUrl = "file://" + loader.path
        recipeText.wrapMode = /\S{1001}/.test(text) ? TextEdit.WrapAnywhere : TextEdit.WordWrap
        recipeText.text = text
    }

    Component.onCompleted: show(loader.text)

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
