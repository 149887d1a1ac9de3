Recipe {
    title: qsTr("Help")
}
