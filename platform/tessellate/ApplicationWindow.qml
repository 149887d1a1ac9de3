import QtQuick
import QtQuick.Controls as QQC2

// The application's window: a header bar (menu button, back button, the
// current page's title, a button for the page's actions), the page stack,
// the two drawers and short passive notifications.
QQC2.ApplicationWindow {
    id: root

    // Declared in place, so that a window can set pageStack.initialPage.
    readonly property PageStack pageStack: PageStack {
        parent: root.contentItem
        anchors.fill: parent
    }
    property QQC2.Drawer globalDrawer
    property QQC2.Drawer contextDrawer

    function showPassiveNotification(text) {
        notification.text = text
        notificationBox.opacity = 1
        notificationTimer.restart()
    }

    // The context drawer always offers the actions of the page on top.
    Binding {
        target: root.contextDrawer
        property: "actions"
        when: root.contextDrawer !== null
        value: root.pageStack.currentItem && root.pageStack.currentItem.actions !== undefined
               ? root.pageStack.currentItem.actions : []
        restoreMode: Binding.RestoreNone
    }

    header: QQC2.ToolBar {
        height: Units.toolBarHeight

        background: Rectangle {
            color: Theme.headerColor
        }

        HeaderButton {
            id: menuButton
            objectName: "globalDrawerButton"
            anchors.left: parent.left
            visible: root.globalDrawer !== null
            text: "\u2630"
            onClicked: root.globalDrawer.open()
        }

        HeaderButton {
            id: backButton
            objectName: "backButton"
            anchors.left: menuButton.visible ? menuButton.right : parent.left
            visible: root.pageStack.depth > 1
            text: "\u2190"
            onClicked: root.pageStack.pop()
        }

        QQC2.Label {
            objectName: "pageTitle"
            anchors.left: backButton.visible ? backButton.right : menuButton.right
            anchors.leftMargin: Units.largeSpacing
            anchors.right: actionsButton.left
            anchors.verticalCenter: parent.verticalCenter
            text: root.pageStack.currentItem && root.pageStack.currentItem.title !== undefined
                  ? root.pageStack.currentItem.title : ""
            elide: Text.ElideRight
            font.pixelSize: 20
            color: Theme.headerTextColor
        }

        HeaderButton {
            id: actionsButton
            objectName: "contextDrawerButton"
            anchors.right: parent.right
            visible: root.contextDrawer !== null && root.contextDrawer.actions.length > 0
            width: visible ? height : 0
            text: "\u22ee"
            onClicked: root.contextDrawer.open()
        }
    }

    component HeaderButton: QQC2.ToolButton {
        anchors.verticalCenter: parent.verticalCenter
        height: Units.toolBarHeight
        width: height
        font.pixelSize: 22
        contentItem: Text {
            text: parent.text
            font: parent.font
            color: Theme.headerTextColor
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    // Android-style back navigation from the keyboard.
    Shortcut {
        sequences: [StandardKey.Back, "Esc"]
        enabled: root.pageStack.depth > 1
        onActivated: root.pageStack.pop()
    }

    Rectangle {
        id: notificationBox
        objectName: "passiveNotification"
        property alias text: notification.text
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 3 * Units.largeSpacing
        width: Math.min(notification.implicitWidth + 4 * Units.largeSpacing,
                        parent.width - 4 * Units.largeSpacing)
        height: notification.implicitHeight + 2 * Units.largeSpacing
        radius: height / 2
        color: "#323232"
        opacity: 0
        visible: opacity > 0
        z: 100

        Behavior on opacity {
            NumberAnimation { duration: Units.shortDuration }
        }

        QQC2.Label {
            id: notification
            anchors.centerIn: parent
            width: Math.min(implicitWidth, parent.width - 4 * Units.largeSpacing)
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            color: "white"
        }

        Timer {
            id: notificationTimer
            interval: Units.notificationDuration
            onTriggered: notificationBox.opacity = 0
        }
    }
}
