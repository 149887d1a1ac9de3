import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// Cooking from a recipe: one step per screen, swiped left and right, in large
// type; the servings, the ingredients on a sheet of their own, the spans of
// time in a step as timers to tap, and the running timers along the bottom.
// The screen is kept awake while the page is shown.
Tessellate.ScrollablePage {
    id: page

    property alias path: session.path
    property alias session: session

    title: session.title

    // The notification service rings as well (the session sees to that).
    function ring(name) {
        var window = ApplicationWindow.window
        if (window && window.showPassiveNotification)
            window.showPassiveNotification(qsTr("%1: time is up").arg(name))
    }

    CookingSession {
        id: session
        objectName: "cookingSession"
        awake: page.visible
        onTimerEnded: function(name) { page.ring(name) }
    }

    Item {
        id: content
        // The page's own height: the steps swipe, they do not scroll away.
        height: page.height - 2 * Tessellate.Units.largeSpacing
        readonly property real stepPixelSize: Math.max(18, page.height / 20)

        ColumnLayout {
            anchors.fill: parent
            spacing: Tessellate.Units.largeSpacing

            RowLayout {
                Layout.fillWidth: true
                Button {
                    objectName: "cookingIngredientsButton"
                    text: qsTr("Ingredients")
                    icon.name: "view-list-details"
                    onClicked: ingredientsSheet.open()
                }
                Item { Layout.fillWidth: true }
                SpinBox {
                    id: servings
                    objectName: "cookingServings"
                    from: session.minWanted
                    to: session.maxWanted
                    value: session.wanted
                    editable: false
                    textFromValue: function(value) { return session.wantedTextFor(value) }
                    onValueModified: session.wanted = value
                }
            }

            Label {
                objectName: "cookingStepCount"
                Layout.fillWidth: true
                text: session.stepCount > 0
                      ? qsTr("Step %1 of %2").arg(steps.currentIndex + 1).arg(session.stepCount)
                      : qsTr("This recipe has no steps.")
            }

            SwipeView {
                id: steps
                objectName: "cookingSteps"
                Layout.fillWidth: true
                Layout.fillHeight: true
                clip: true
                currentIndex: session.currentStep
                onCurrentIndexChanged: session.currentStep = currentIndex

                Repeater {
                    model: session.stepCount
                    delegate: Flickable {
                        required property int index
                        contentHeight: stepColumn.height
                        clip: true

                        ColumnLayout {
                            id: stepColumn
                            width: parent.width
                            spacing: Tessellate.Units.largeSpacing

                            Label {
                                objectName: "cookingSection"
                                Layout.fillWidth: true
                                visible: text !== ""
                                font.bold: true
                                text: session.stepSection(index)
                            }
                            Label {
                                objectName: "cookingStep"
                                Layout.fillWidth: true
                                wrapMode: Text.Wrap
                                textFormat: Text.PlainText
                                font.pixelSize: content.stepPixelSize
                                // Read again when the servings or the file change.
                                text: session.revision, session.stepText(index)
                            }
                            Flow {
                                Layout.fillWidth: true
                                spacing: Tessellate.Units.smallSpacing
                                Repeater {
                                    model: session.revision, session.stepDurations(index)
                                    delegate: Button {
                                        required property var modelData
                                        required property int index
                                        objectName: "cookingTimerButton"
                                        text: modelData.text
                                        icon.name: "chronometer"
                                        onClicked: session.startTimer(steps.currentIndex, index)
                                    }
                                }
                            }
                            Repeater {
                                model: session.revision, session.stepIngredients(index)
                                delegate: Label {
                                    required property string modelData
                                    objectName: "cookingStepIngredient"
                                    text: "• " + modelData
                                }
                            }
                        }
                    }
                }
            }

            Flow {
                objectName: "cookingTimers"
                Layout.fillWidth: true
                spacing: Tessellate.Units.smallSpacing
                visible: session.timers.length > 0
                Repeater {
                    model: session.timers
                    delegate: Frame {
                        required property var modelData
                        objectName: "cookingTimer"
                        // An ended timer flashes until it is dismissed.
                        background: Rectangle {
                            id: timerBackground
                            color: "transparent"
                            border.color: Tessellate.Theme.highlightColor
                            radius: 4
                            SequentialAnimation on color {
                                running: modelData.ended
                                loops: Animation.Infinite
                                ColorAnimation { to: Tessellate.Theme.highlightColor; duration: 400 }
                                ColorAnimation { to: "transparent"; duration: 400 }
                            }
                        }
                        RowLayout {
                            Label { text: modelData.name }
                            Label { objectName: "cookingTimerLeft"; text: modelData.left; font.bold: true }
                            ToolButton {
                                objectName: "cookingTimerPause"
                                visible: !modelData.ended
                                text: modelData.running ? qsTr("Pause") : qsTr("Resume")
                                icon.name: modelData.running ? "media-playback-pause"
                                                             : "media-playback-start"
                                onClicked: session.pauseOrResumeTimer(modelData.id)
                            }
                            ToolButton {
                                objectName: "cookingTimerCancel"
                                text: modelData.ended ? qsTr("Dismiss") : qsTr("Cancel")
                                icon.name: "dialog-cancel"
                                onClicked: session.cancelTimer(modelData.id)
                            }
                        }
                    }
                }
            }
        }
    }

    Drawer {
        id: ingredientsSheet
        objectName: "cookingIngredients"
        edge: Qt.BottomEdge
        width: page.width
        height: page.height * 0.6
        parent: page

        ListView {
            objectName: "cookingIngredientsList"
            anchors.fill: parent
            anchors.margins: Tessellate.Units.largeSpacing
            clip: true
            model: session.ingredients
            delegate: CheckDelegate {
                required property string modelData
                width: ListView.view.width
                text: modelData
            }
        }
    }
}
