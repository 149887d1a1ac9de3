pragma Singleton
import QtQuick

// Lengths shared by all components, so that pages line up with the frame.
QtObject {
    readonly property int smallSpacing: 4
    readonly property int largeSpacing: 8
    readonly property int gridUnit: 18
    readonly property int iconSize: 24
    readonly property int toolBarHeight: 56
    readonly property int shortDuration: 150
    readonly property int notificationDuration: 3000
}
