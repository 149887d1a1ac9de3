import QtQuick 2.12
import QtQuick.Controls 2.0 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

Tessellate.ScrollablePage {
    id: page

    property var scanner

    title: "Saltrove"

    ListView {
        id: list
        objectName: "titleList"

        model: page.scanner ? page.scanner.titleList : null
        currentIndex: -1
        headerPositioning: ListView.PullBackHeader

        header: Controls.TextField {
            id: search
            objectName: "searchField"
            width: list.width
            z: 2
            placeholderText: qsTr("Search...")
            leftPadding: Tessellate.Units.largeSpacing
            // Keeps the text clear of the clear button.
            rightPadding: height
            onTextChanged: page.scanner.filter = text

            MouseArea {
                objectName: "clearButton"
                anchors.right: parent.right
                height: parent.height
                width: height
                onClicked: search.text = ""

                Tessellate.Icon {
                    anchors.centerIn: parent
                    height: search.height / 2
                    width: height
                    source: "edit-clear"
                    smooth: true
                }
            }
        }

        delegate: Controls.ItemDelegate {
            // A title is text, not a mnemonic: the controls show a run of n
            // "&" as n - 1 of them, so each run gets one more.
            text: model.display.replace(/&+/g, "$&&")
            highlighted: focus && ListView.isCurrentItem
            onClicked: {
                var recipe = Controls.ApplicationWindow.window.pageStack.push(
                            Qt.resolvedUrl("Recipe.qml"))
                recipe.path = model.path
                recipe.title = model.display
            }
        }

        Controls.Label {
            objectName: "emptyLabel"
            // Over the list itself, not its scrolling content.
            parent: list
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            opacity: 0.6
            text: qsTr("Nothing to show")
            visible: list.count === 0
        }
    }
}
