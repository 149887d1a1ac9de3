import QtQuick
import QtQuick.Controls as QQC2

// A page with a title and actions of its own that scrolls its one content
// item. A list or other flickable content scrolls by itself and fills the
// page; any other item is laid out at the page's width and scrolled here.
QQC2.Page {
    id: page

    property list<QQC2.Action> actions
    default property alias pageData: holder.data

    // The first visual item declared on the page, taken once it is complete:
    // a flickable one is moved out of the holder afterwards.
    property Item mainItem: null
    readonly property Flickable flickable: mainItem && mainItem.contentY !== undefined
                                           && mainItem.flicking !== undefined ? mainItem
                                                                              : scroller

    padding: 0

    Flickable {
        id: scroller
        anchors.fill: parent
        contentWidth: width
        contentHeight: holder.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        Item {
            id: holder
            width: scroller.width
            height: page.mainItem && page.flickable === scroller
                    ? page.mainItem.height + 2 * Units.largeSpacing : 0
        }
    }

    QQC2.ScrollIndicator {
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        orientation: Qt.Vertical
        size: page.flickable.visibleArea.heightRatio
        position: page.flickable.visibleArea.yPosition
        active: page.flickable.moving
        z: 10
    }

    Component.onCompleted: {
        var item = null
        for (var i = 0; i < holder.children.length && !item; ++i)
            item = holder.children[i]
        mainItem = item
        if (!item)
            return
        if (flickable === item) {
            scroller.visible = false
            item.parent = page.contentItem
            item.anchors.fill = page.contentItem
        } else {
            item.x = Units.largeSpacing
            item.y = Units.largeSpacing
            item.width = Qt.binding(function() { return holder.width - 2 * Units.largeSpacing })
        }
    }
}
