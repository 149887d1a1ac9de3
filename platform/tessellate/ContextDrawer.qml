import QtQuick
import QtQuick.Controls as QQC2

// The current page's own actions, opened from the right edge or the header's
// actions button. The window keeps `actions` on the page on top.
QQC2.Drawer {
    id: drawer

    property string title: qsTr("Actions")
    // The page's own list, not a copy: it goes when the page goes.
    property var actions: []

    edge: Qt.RightEdge
    width: Math.min(parent ? parent.width * 0.8 : 320, 320)
    height: parent ? parent.height : 0

    background: Rectangle {
        color: Theme.backgroundColor
    }
    // Only pages that have actions can be dragged open.
    interactive: actions.length > 0
    // A page without actions leaves nothing to show, nor a way to close the
    // drawer (it no longer takes drags, the header hides its button).
    onActionsChanged: if (actions.length === 0) close()

    contentItem: Flickable {
        contentHeight: column.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: column
            width: parent.width

            QQC2.Label {
                width: parent.width
                padding: 2 * Units.largeSpacing
                text: drawer.title
                font.bold: true
                elide: Text.ElideRight
            }

            Repeater {
                model: drawer.actions
                delegate: QQC2.SwitchDelegate {
                    id: item
                    width: column.width
                    text: modelData.text
                    icon.name: modelData.icon.name
                    enabled: modelData.enabled
                    checkable: modelData.checkable
                    checked: modelData.checked
                    indicator.visible: modelData.checkable
                    // The action keeps the state; the row only shows it. Other
                    // actions close the drawer first: they may put another page
                    // on top, which the open drawer would cover.
                    onClicked: {
                        checked = Qt.binding(function() { return modelData.checked })
                        var action = modelData
                        if (!action.checkable)
                            drawer.close()
                        action.trigger(this)
                    }
                }
            }
        }
    }
}
