import QtQuick

// A row item: an icon, a title with an optional subtitle below it, and any
// child items at the trailing edge, centred on the row.
Item {
    id: root

    property string title
    property string subtitle
    component IconProperties: QtObject {
        property string name
        property string source
    }

    readonly property IconProperties icon: IconProperties {}
    default property alias trailing: trailingRow.data

    implicitWidth: iconItem.width + textColumn.implicitWidth + trailingRow.width
                   + 2 * Units.largeSpacing
    implicitHeight: Math.max(iconItem.height, textColumn.implicitHeight)

    Icon {
        id: iconItem
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        width: root.icon.name !== "" || root.icon.source !== "" ? Units.iconSize : 0
        height: Units.iconSize
        source: root.icon.name !== "" ? root.icon.name : root.icon.source
    }

    Column {
        id: textColumn
        anchors.left: iconItem.right
        anchors.leftMargin: iconItem.width > 0 ? Units.largeSpacing : 0
        anchors.right: trailingRow.left
        anchors.rightMargin: Units.largeSpacing
        anchors.verticalCenter: parent.verticalCenter

        Text {
            width: parent.width
            text: root.title
            elide: Text.ElideRight
            font: Theme.defaultFont
            color: Theme.textColor
        }
        Text {
            width: parent.width
            visible: root.subtitle !== ""
            text: root.subtitle
            elide: Text.ElideRight
            font.pointSize: Theme.defaultFont.pointSize * 0.85
            color: Theme.disabledTextColor
        }
    }

    Row {
        id: trailingRow
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: Units.smallSpacing
    }
}
