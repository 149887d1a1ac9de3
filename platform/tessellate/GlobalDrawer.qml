import QtQuick
import QtQuick.Controls as QQC2

// The application's main menu, opened from the left edge or the header's menu
// button: a title with an icon, then the actions in order.
QQC2.Drawer {
    id: drawer

    property string title
    property string titleIcon
    property list<QQC2.Action> actions

    edge: Qt.LeftEdge
    width: Math.min(parent ? parent.width * 0.8 : 320, 320)
    height: parent ? parent.height : 0

    background: Rectangle {
        color: Theme.backgroundColor
    }

    contentItem: Flickable {
        contentHeight: column.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: column
            width: parent.width

            Rectangle {
                width: parent.width
                height: Units.toolBarHeight + 2 * Units.largeSpacing
                color: Theme.headerColor

                Row {
                    anchors.left: parent.left
                    anchors.leftMargin: 2 * Units.largeSpacing
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 2 * Units.largeSpacing

                    Icon {
                        width: Units.toolBarHeight
                        height: width
                        source: drawer.titleIcon
                        smooth: true
                    }
                    QQC2.Label {
                        anchors.verticalCenter: parent.verticalCenter
                        text: drawer.title
                        font.pixelSize: 22
                        color: Theme.headerTextColor
                    }
                }
            }

            Repeater {
                model: drawer.actions
                delegate: QQC2.ItemDelegate {
                    width: column.width
                    text: modelData.text
                    icon.name: modelData.icon.name
                    enabled: modelData.enabled
                    onClicked: {
                        drawer.close()
                        modelData.trigger(this)
                    }
                }
            }
        }
    }
}
