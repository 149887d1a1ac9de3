import QtQuick 2.12
import QtQuick.Controls 2.12 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// The week's meals for a thumb: seven days from the shown one, today's
// marked, each with its entries. An entry opens its recipe, or cooks it.
Tessellate.ScrollablePage {
    id: page

    property var mealPlan
    property var shoppingList
    // At least this high, at any density, for a thumb to hit.
    readonly property int target: 48
    readonly property var window: Controls.ApplicationWindow.window

    title: qsTr("Meal plan")

    actions: [
        Tessellate.Action {
            objectName: "earlierWeekAction"
            text: qsTr("Earlier")
            icon.name: "go-previous"
            onTriggered: page.mealPlan.showEarlierWeek()
        },
        Tessellate.Action {
            objectName: "laterWeekAction"
            text: qsTr("Later")
            icon.name: "go-next"
            onTriggered: page.mealPlan.showLaterWeek()
        },
        Tessellate.Action {
            objectName: "addDaysToShoppingListAction"
            text: qsTr("Add these days to the shopping list")
            icon.name: "view-list-details"
            onTriggered: page.window.showPassiveNotification(
                             page.mealPlan.addShownDaysToShoppingList(page.shoppingList))
        },
        Tessellate.Action {
            objectName: "clearPastDaysAction"
            text: qsTr("Clear past days…")
            icon.name: "edit-clear-history"
            onTriggered: {
                if (page.mealPlan.pastDays() === 0)
                    page.window.showPassiveNotification(qsTr("No past days in the plan"))
                else
                    clearDialog.open()
            }
        }
    ]

    Controls.Dialog {
        id: clearDialog
        objectName: "clearPastDaysDialog"
        parent: Controls.Overlay.overlay
        anchors.centerIn: parent
        width: parent ? Math.min(parent.width, 420) : 320
        modal: true
        title: qsTr("Clear past days")
        standardButtons: Controls.Dialog.Yes | Controls.Dialog.No
        onAccepted: page.mealPlan.clearPastDays()

        Controls.Label {
            width: parent.width
            wrapMode: Text.Wrap
            text: qsTr("Remove the past days and everything written under them from meal-plan.md?")
        }
    }

    function openRecipe(path) {
        var recipe = page.window.pageStack.push(Qt.resolvedUrl("Recipe.qml"))
        recipe.path = path
    }

    function cook(path) {
        page.window.pageStack.push(Qt.resolvedUrl("Cook.qml"), {path: path})
    }

    ListView {
        id: list
        objectName: "mealPlanDays"

        model: page.mealPlan ? page.mealPlan.days : null

        header: Controls.Label {
            objectName: "weekLabel"
            width: list.width
            padding: Tessellate.Units.largeSpacing
            wrapMode: Text.Wrap
            text: page.mealPlan ? page.mealPlan.weekTitle : ""
        }

        delegate: Column {
            id: day
            objectName: "mealPlanDay"
            width: list.width

            required property string display
            required property string isoDate
            required property bool today
            required property var entries

            Item {
                width: parent.width
                height: dayLabel.implicitHeight

                // Today's day stands out on a tint of the highlight.
                Rectangle {
                    objectName: "todayMark"
                    anchors.fill: parent
                    visible: day.today
                    color: Tessellate.Theme.highlightColor
                    opacity: 0.25
                }

                Controls.Label {
                    id: dayLabel
                    objectName: "dayLabel"
                    width: parent.width
                    padding: Tessellate.Units.largeSpacing
                    font.bold: true
                    wrapMode: Text.Wrap
                    text: day.today ? qsTr("Today, %1").arg(day.display) : day.display
                }
            }

            Repeater {
                model: day.entries

                delegate: RowLayout {
                    objectName: "mealPlanEntry"
                    width: day.width
                    spacing: 0

                    required property var modelData

                    Controls.ItemDelegate {
                        objectName: "entryButton"
                        Layout.fillWidth: true
                        Layout.minimumHeight: page.target
                        leftPadding: Tessellate.Units.largeSpacing * 2
                        contentItem: Controls.Label {
                            text: modelData.display
                            wrapMode: Text.Wrap
                        }
                        enabled: modelData.path !== ""
                        onClicked: page.openRecipe(modelData.path)
                    }
                    Controls.ToolButton {
                        objectName: "cookButton"
                        visible: modelData.path !== ""
                        implicitHeight: page.target
                        text: qsTr("Cook")
                        onClicked: page.cook(modelData.path)
                    }
                    Controls.ToolButton {
                        objectName: "removeEntryButton"
                        implicitWidth: page.target
                        implicitHeight: page.target
                        text: "\u2715"
                        Controls.ToolTip.visible: hovered
                        Controls.ToolTip.text: qsTr("Remove from the plan")
                        onClicked: page.mealPlan.removeEntry(day.isoDate, modelData.index)
                    }
                }
            }
        }
    }
}
