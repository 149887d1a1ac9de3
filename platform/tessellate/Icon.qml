import QtQuick
import QtQuick.Controls.impl as QQC2Impl

// An icon by theme name ("edit-clear"), or an image by path (":/appicon.svg",
// "qrc:/...", "file:///...").
Item {
    id: icon

    property string source
    property color color: "transparent"

    readonly property bool isImage: source.indexOf("/") >= 0 || source.indexOf(":") >= 0

    implicitWidth: Units.iconSize
    implicitHeight: Units.iconSize

    QQC2Impl.IconImage {
        anchors.fill: parent
        visible: !icon.isImage
        name: icon.isImage ? "" : icon.source
        color: icon.color
        sourceSize: Qt.size(width, height)
        fillMode: Image.PreserveAspectFit
        smooth: icon.smooth
    }

    Image {
        anchors.fill: parent
        visible: icon.isImage
        source: !icon.isImage ? ""
                : icon.source.indexOf(":/") === 0 ? "qrc" + icon.source : icon.source
        sourceSize: Qt.size(width, height)
        fillMode: Image.PreserveAspectFit
        smooth: icon.smooth
    }
}
