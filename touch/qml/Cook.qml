import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// Cooking from a recipe: one step per screen, swiped left and right or turned
// with Previous and Next, in large type that scrolls when a step is long; the
// servings, the ingredients on a sheet of their own, the spans of time in a
// step as timers to tap, the running timers listed along the bottom, and the
// recipe's notes after the last step, then "Cooked it" with stars and a note
// for the cooking journal. Every control is at least as high as a
// push button and nothing is wider than the page. The screen is kept awake
// while the page is shown.
Tessellate.ScrollablePage {
    id: page

    property alias path: session.path
    property alias session: session

    title: session.title

    // Where "Cooked it" writes: the window's journal; none hides it.
    property var journal: ApplicationWindow.window && ApplicationWindow.window.cookingJournal
                          ? ApplicationWindow.window.cookingJournal : null
    property int cookedStars: 0
    // The recipe whose cooking was written down; once for a cooking.
    property string cookedPath: ""
    readonly property bool cooked: cookedPath !== "" && cookedPath === session.path

    function markCooked(note) {
        if (page.cooked || !page.journal)
            return
        if (page.journal.markSessionCooked(session, page.cookedStars, note))
            page.cookedPath = session.path
    }

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
        // The height every control keeps at least.
        readonly property real controlHeight: pushButton.implicitHeight

        Button {
            id: pushButton
            visible: false
            text: "Next"
        }

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
                        id: stepFlickable
                        required property int index
                        objectName: "cookingStepFlickable"
                        contentHeight: stepColumn.height
                        clip: true
                        boundsBehavior: Flickable.StopAtBounds
                        ScrollBar.vertical: ScrollBar {
                            id: stepScrollBar
                            objectName: "cookingStepScrollBar"
                            policy: stepFlickable.contentHeight > stepFlickable.height
                                    ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
                        }

                        ColumnLayout {
                            id: stepColumn
                            width: stepFlickable.width - (stepScrollBar.policy === ScrollBar.AlwaysOn
                                                          ? stepScrollBar.width : 0)
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
                                        width: Math.min(implicitWidth, stepColumn.width)
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
                                    Layout.fillWidth: true
                                    wrapMode: Text.Wrap
                                    text: "• " + modelData
                                }
                            }
                            // What the recipe says after its steps.
                            Repeater {
                                model: index === session.stepCount - 1 ? session.notes : []
                                delegate: Label {
                                    required property var modelData
                                    required property int index
                                    objectName: "cookingNote"
                                    Layout.fillWidth: true
                                    wrapMode: Text.Wrap
                                    textFormat: Text.PlainText
                                    readonly property bool opensSection: index === 0
                                        || session.notes[index - 1].section !== modelData.section
                                    text: (opensSection && modelData.section !== ""
                                           ? modelData.section + "\n" : "") + modelData.text
                                    topPadding: opensSection ? Tessellate.Units.largeSpacing : 0
                                }
                            }
                            // The end of cooking, for the journal.
                            ColumnLayout {
                                objectName: "cookedItPanel"
                                Layout.fillWidth: true
                                Layout.topMargin: Tessellate.Units.largeSpacing
                                visible: index === session.stepCount - 1 && page.journal !== null
                                Label {
                                    objectName: "cookedItSummary"
                                    Layout.fillWidth: true
                                    wrapMode: Text.Wrap
                                    visible: text !== ""
                                    text: page.journal
                                          ? (page.journal.entryCount, page.journal.summary(session.path))
                                          : ""
                                }
                                Flow {
                                    Layout.fillWidth: true
                                    Repeater {
                                        model: 5
                                        delegate: Button {
                                            required property int index
                                            objectName: "cookedItStar" + (index + 1)
                                            flat: true
                                            font.pixelSize: content.stepPixelSize
                                            text: index < page.cookedStars ? "★" : "☆"
                                            // The stars shown, tapped again, clear.
                                            onClicked: page.cookedStars =
                                                page.cookedStars === index + 1 ? 0 : index + 1
                                        }
                                    }
                                }
                                TextField {
                                    id: cookedNote
                                    objectName: "cookedItNote"
                                    Layout.fillWidth: true
                                    placeholderText: qsTr("A note for next time (optional)")
                                }
                                Button {
                                    objectName: "cookedItButton"
                                    Layout.maximumWidth: stepColumn.width
                                    text: page.cooked ? qsTr("Added to the cooking journal")
                                                      : qsTr("Cooked it")
                                    icon.name: "checkmark"
                                    enabled: !page.cooked
                                    onClicked: page.markCooked(cookedNote.text)
                                }
                            }
                        }
                    }
                }
            }

            // One row a timer, as wide as the page; more than fit scroll.
            ListView {
                objectName: "cookingTimers"
                Layout.fillWidth: true
                Layout.preferredHeight: Math.min(contentHeight, content.height / 4)
                visible: session.timers.length > 0
                clip: true
                spacing: Tessellate.Units.smallSpacing
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar {}
                // By number, so that a row stays while its timer ticks (the
                // list is announced anew four times a second): a tap on a row
                // made anew under the finger would be lost, and the list
                // would scroll back to its top.
                model: session.timers.length
                delegate: Frame {
                    required property int index
                    readonly property var modelData: session.timers[index] || ({})
                    objectName: "cookingTimer"
                    width: ListView.view.width
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
                        anchors.left: parent.left
                        anchors.right: parent.right
                        Label {
                            Layout.fillWidth: true
                            elide: Text.ElideMiddle
                            text: modelData.name
                        }
                        Label { objectName: "cookingTimerLeft"; text: modelData.left; font.bold: true }
                        Button {
                            objectName: "cookingTimerPause"
                            Layout.preferredHeight: content.controlHeight
                            visible: !modelData.ended
                            text: modelData.running ? qsTr("Pause") : qsTr("Resume")
                            icon.name: modelData.running ? "media-playback-pause"
                                                         : "media-playback-start"
                            onClicked: session.pauseOrResumeTimer(modelData.id)
                        }
                        Button {
                            objectName: "cookingTimerCancel"
                            Layout.preferredHeight: content.controlHeight
                            text: modelData.ended ? qsTr("Dismiss") : qsTr("Cancel")
                            icon.name: "dialog-cancel"
                            onClicked: session.cancelTimer(modelData.id)
                        }
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true
                Button {
                    objectName: "cookingPrevious"
                    text: qsTr("Previous")
                    icon.name: "go-previous"
                    enabled: session.hasPreviousStep
                    onClicked: session.previousStep()
                }
                Item { Layout.fillWidth: true }
                Button {
                    objectName: "cookingNext"
                    text: qsTr("Next")
                    icon.name: "go-next"
                    enabled: session.hasNextStep
                    onClicked: session.nextStep()
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
            model: session.ingredientRows
            // Sub-headings as headings; each ingredient wraps and ticks off
            // with a box as large as its text.
            delegate: CheckDelegate {
                id: row
                required property var modelData
                objectName: modelData.heading ? "cookingIngredientHeading" : "cookingIngredient"
                width: ListView.view.width
                text: modelData.text
                font.bold: modelData.heading
                checkable: !modelData.heading
                indicator.visible: !modelData.heading
                indicator.width: row.font.pixelSize > 0 ? row.font.pixelSize * 1.4
                                                        : row.font.pointSize * 1.9
                indicator.height: indicator.width
                contentItem: Text {
                    leftPadding: row.indicator.visible ? row.indicator.width + row.spacing : 0
                    text: row.text
                    font: row.font
                    color: row.palette.windowText
                    wrapMode: Text.Wrap
                    verticalAlignment: Text.AlignVCenter
                }
            }
        }
    }
}
