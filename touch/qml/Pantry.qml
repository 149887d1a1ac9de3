import QtQuick 2.12
import QtQuick.Controls as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// The pantry for a thumb: a field to add an item, with the names Find
// offers, then the items with their amounts, each with a field for a new
// amount and a button to remove it. Asks before a cooked recipe's amounts
// are taken out (offerTakeOut).
Tessellate.ScrollablePage {
    id: page

    property var pantry
    property var scanner
    readonly property int target: 48

    title: qsTr("Pantry")

    // Asks, then takes the recipe's amounts out; nothing is asked where the
    // pantry holds none of them.
    function offerTakeOut(recipePath, servings) {
        return takeOutDialog.offer(recipePath, servings)
    }

    // The names Find offers, read from the scanner's publications.
    RecipeSearch {
        id: names
        scanner: page.scanner ? page.scanner.scanner : null
        shown: false
    }
    Component.onCompleted: {
        if (page.pantry)
            page.pantry.search = names
    }

    TakeOutDialog {
        id: takeOutDialog
        pantry: page.pantry
    }

    ListView {
        id: list
        objectName: "pantryItems"
        model: page.pantry ? page.pantry.items : null

        header: Column {
            width: list.width
            Controls.TextField {
                id: addField
                objectName: "addPantryField"
                width: list.width
                height: Math.max(implicitHeight, page.target)
                leftPadding: Tessellate.Units.largeSpacing
                placeholderText: qsTr("Add: 500 g red lentils")
                onAccepted: {
                    if (page.pantry.add(text))
                        text = ""
                }
            }
            Repeater {
                objectName: "pantrySuggestions"
                model: addField.text.length > 0 && page.pantry
                       ? page.pantry.suggestions(addField.text, 5) : []
                delegate: Controls.ItemDelegate {
                    width: list.width
                    height: Math.max(implicitHeight, page.target)
                    text: modelData
                    onClicked: addField.text = modelData
                }
            }
        }

        delegate: RowLayout {
            objectName: "pantryRow"
            width: list.width
            spacing: 0
            Controls.Label {
                Layout.fillWidth: true
                Layout.leftMargin: Tessellate.Units.largeSpacing
                text: model.display
                wrapMode: Text.Wrap
            }
            Controls.TextField {
                objectName: "pantryAmountField"
                Layout.preferredWidth: page.target * 2
                placeholderText: qsTr("amount")
                text: model.amount
                onAccepted: page.pantry.changeAmount(index, text)
            }
            Controls.ToolButton {
                objectName: "removePantryItemButton"
                implicitWidth: page.target
                implicitHeight: page.target
                text: "\u2715"
                onClicked: page.pantry.remove(index)
            }
        }

        Controls.Label {
            objectName: "emptyLabel"
            parent: list
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            opacity: 0.6
            text: qsTr("Nothing in the pantry")
            visible: list.count === 0
        }
    }
}
