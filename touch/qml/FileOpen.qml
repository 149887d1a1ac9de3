import QtQuick 2.12
import QtQuick.Controls 2.0 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Utils 1.0

ListView {
    id: listView
    objectName: "folderList"

    signal selected(string path)

    property var _dirmodel: DirModel {
        id: dirmodel
    }
    property alias path: dirmodel.path
    property alias mode: dirmodel.mode
    property alias dirName: dirmodel.dirName

    model: dirmodel.filteredModel
    currentIndex: -1
    headerPositioning: ListView.PullBackHeader

    // A new listing starts without a marked row, so that a single tap never
    // enters a folder the user has not seen marked.
    Connections {
        target: dirmodel
        function onPathChanged() { listView.currentIndex = -1 }
        function onModeChanged() { listView.currentIndex = -1 }
    }

    header: Controls.TextField {
        id: search
        objectName: "searchField"
        width: listView.width
        z: 2
        placeholderText: qsTr("Search...")
        leftPadding: Tessellate.Units.largeSpacing
        rightPadding: buttons.width
        onTextChanged: dirmodel.filter = text
        onActiveFocusChanged: {
            if (activeFocus)
                listView.currentIndex = -1
        }

        Connections {
            target: dirmodel
            function onPathChanged() {
                if (search.text !== "")
                    search.text = ""
            }
        }

        Row {
            id: buttons
            anchors.right: parent.right
            height: search.height
            rightPadding: {
                var window = Controls.ApplicationWindow.window
                return window && window.contextDrawer ? window.contextDrawer.dragMargin : 0
            }

            MouseArea {
                objectName: "clearButton"
                height: search.height
                width: height
                onClicked: search.text = ""

                Tessellate.Icon {
                    anchors.centerIn: parent
                    height: search.height / 2
                    width: height
                    source: "edit-clear"
                    smooth: true
                }
            }

            MouseArea {
                objectName: "upButton"
                height: search.height
                width: height
                onClicked: dirmodel.cdUp()

                Tessellate.Icon {
                    anchors.centerIn: parent
                    height: search.height / 2
                    width: height
                    source: "go-parent-folder"
                    smooth: true
                }
            }
        }
    }

    delegate: Controls.ItemDelegate {
        id: row
        width: listView.width
        highlighted: focus && ListView.isCurrentItem
        // Room above and below the title for the round button beside it.
        topPadding: entry.implicitHeight
        bottomPadding: entry.implicitHeight

        contentItem: Tessellate.IconTitleSubtitle {
            id: entry
            title: model.display
            icon.name: model.icon || ""

            Rectangle {
                id: circle
                objectName: "chooseButton"
                height: entry.height * 3
                width: height
                radius: height / 2
                color: Tessellate.Theme.backgroundColor

                Tessellate.Icon {
                    anchors.fill: parent
                    anchors.margins: circle.height / 6
                    source: model.type === "folder" ? "folder-open" : "document-open"
                    smooth: true
                }

                MouseArea {
                    anchors.fill: parent
                    onClicked: listView.selected(model.fullpath)
                }
            }
        }

        onClicked: {
            if (ListView.isCurrentItem) {
                if (model.type === "folder")
                    dirmodel.cd(model.display)
                else
                    listView.selected(model.fullpath)
            } else {
                listView.currentIndex = index
            }
        }
    }

    Controls.Label {
        objectName: "emptyLabel"
        // Over the list itself, not its scrolling content.
        parent: listView
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        opacity: 0.6
        text: qsTr("Nothing to show")
        visible: listView.count === 0
    }
}
