pragma Singleton
import QtQuick

// The colours and font of the light Material palette that the programs are
// drawn in.
QtObject {
    readonly property font defaultFont: Qt.application.font
    readonly property color backgroundColor: "#fafafa"
    readonly property color textColor: "#212121"
    readonly property color disabledTextColor: "#9e9e9e"
    readonly property color highlightColor: "#009688"
    readonly property color headerColor: "#00796b"
    readonly property color headerTextColor: "#ffffff"
}
