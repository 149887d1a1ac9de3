import QtQuick 2.12
import QtQuick.Controls 2.0 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// The shared shopping list for a thumb: the recipes with the amount wanted
// of each, then the rows to tick, ticked rows last and dimmed, and a field
// to add a row of one's own.
Tessellate.ScrollablePage {
    id: page

    property var shoppingList
    // At least this high, at any density, for a thumb to hit.
    readonly property int target: 48
    readonly property var window: Controls.ApplicationWindow.window

    title: qsTr("Shopping list")

    actions: [
        Tessellate.Action {
            objectName: "copyShoppingListAction"
            text: qsTr("Copy")
            icon.name: "edit-copy"
            onTriggered: {
                page.shoppingList.copyToClipboard()
                page.window.showPassiveNotification(qsTr("Copied"))
            }
        },
        Tessellate.Action {
            objectName: "clearShoppingListAction"
            text: qsTr("Clear")
            icon.name: "edit-clear"
            onTriggered: page.shoppingList.clear()
        },
        Tessellate.Action {
            objectName: "putTickedInPantryAction"
            text: qsTr("Put ticked rows in the pantry")
            icon.name: "go-home"
            onTriggered: page.window.showPassiveNotification(page.shoppingList.putTickedInPantry())
        }
    ]

    ListView {
        id: list
        objectName: "shoppingRows"

        model: page.shoppingList ? page.shoppingList.rows : null
        // What the pantry covers comes last, under a heading of its own.
        section.property: "section"
        section.delegate: Item {
            objectName: "sectionHeading"
            width: list.width
            height: section === qsTr("To buy") ? 0 : heading.implicitHeight
            clip: true

            Controls.Label {
                id: heading
                topPadding: Tessellate.Units.largeSpacing
                leftPadding: Tessellate.Units.largeSpacing
                font.bold: true
                text: section
            }
        }

        header: Column {
            width: list.width

            Repeater {
                objectName: "shoppingRecipes"
                model: page.shoppingList ? page.shoppingList.recipes : null

                delegate: RowLayout {
                    objectName: "recipeRow"
                    width: list.width
                    spacing: 0

                    Controls.Label {
                        Layout.fillWidth: true
                        Layout.leftMargin: Tessellate.Units.largeSpacing
                        text: model.display
                        elide: Text.ElideRight
                    }
                    Controls.ToolButton {
                        objectName: "fewerButton"
                        implicitWidth: page.target
                        implicitHeight: page.target
                        text: "\u2212"
                        enabled: model.amount > model.minimum
                        onClicked: page.shoppingList.changeAmount(model.path, -1)
                    }
                    Controls.Label {
                        objectName: "amountLabel"
                        Layout.minimumWidth: page.target
                        horizontalAlignment: Text.AlignHCenter
                        text: model.amountText
                    }
                    Controls.ToolButton {
                        objectName: "moreButton"
                        implicitWidth: page.target
                        implicitHeight: page.target
                        text: "+"
                        enabled: model.amount < model.maximum
                        onClicked: page.shoppingList.changeAmount(model.path, 1)
                    }
                    Controls.ToolButton {
                        objectName: "removeRecipeButton"
                        implicitWidth: page.target
                        implicitHeight: page.target
                        // A cross, as on the rows: the theme's "list-remove" is
                        // a minus, the very sign of fewer servings.
                        text: "\u2715"
                        Controls.ToolTip.visible: hovered
                        Controls.ToolTip.text: qsTr("Remove from the list")
                        onClicked: page.shoppingList.removeRecipe(model.path)
                    }
                }
            }

            Controls.TextField {
                id: rowField
                objectName: "addRowField"
                width: list.width
                height: Math.max(implicitHeight, page.target)
                leftPadding: Tessellate.Units.largeSpacing
                placeholderText: qsTr("Add a row")
                onAccepted: {
                    if (page.shoppingList.addRow(text))
                        text = ""
                }
            }
        }

        delegate: Controls.CheckDelegate {
            objectName: "shoppingRow"
            width: list.width
            height: Math.max(implicitHeight, page.target)
            text: model.display
            checked: model.ticked
            opacity: model.ticked ? 0.5 : 1
            // The model decides; a tap asks it to change.
            onToggled: {
                var ticked = !model.ticked
                checked = Qt.binding(function() { return model.ticked })
                page.shoppingList.setTicked(index, ticked)
            }

            Controls.ToolButton {
                objectName: "removeRowButton"
                visible: model.handWritten
                anchors.right: parent.right
                anchors.rightMargin: page.target
                anchors.verticalCenter: parent.verticalCenter
                implicitWidth: page.target
                implicitHeight: page.target
                text: "\u2715"
                onClicked: page.shoppingList.removeRow(index)
            }
        }

        Controls.Label {
            objectName: "emptyLabel"
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
