import QtQuick 2.10
import QtQuick.Controls 2.0 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Utils 1.0

Tessellate.ScrollablePage {
    id: page

    signal selected(string path)

    title: open.dirName

    actions: [
        Tessellate.Action {
            id: showHidden
            text: qsTr("Show hidden folders")
            checkable: true
            checked: false
        }
    ]

    FileOpen {
        id: open
        mode: showHidden.checked ? (DirModel.Folders | DirModel.Hidden) : DirModel.Folders
        path: StandardPaths.Documents
        onSelected: function(path) { page.selected(path) }
    }
}
