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
    }

    TextEdit {
        objectName: "recipeText"
        readOnly: true
        selectByMouse: false
        textFormat: TextEdit.MarkdownText
        wrapMode: TextEdit.WordWrap
        font: Tessellate.Theme.defaultFont
        color: Tessellate.Theme.textColor
        // Relative links and pictures are found beside the recipe file.
        baseUrl: "file://" + loader.path
        text: loader.text
    }
}
