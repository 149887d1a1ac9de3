import QtQuick 2.12
import QtQuick.Controls as Controls

// Asks before a cooked recipe's amounts are taken out of the pantry; nothing
// is asked where the pantry holds none of them.
Controls.Dialog {
    id: dialog

    property var pantry
    property string pendingRecipe
    property int pendingServings: 0
    property alias text: questionLabel.text

    // True when the question is asked.
    function offer(recipePath, servings) {
        var question = dialog.pantry ? dialog.pantry.takeOutQuestion(recipePath) : ""
        if (question === "")
            return false
        dialog.pendingRecipe = recipePath
        dialog.pendingServings = servings
        dialog.text = question
        dialog.open()
        return true
    }

    objectName: "takeOutDialog"
    parent: Controls.Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent ? parent.width : 400, 480)
    modal: true
    title: qsTr("Pantry")
    standardButtons: Controls.Dialog.Yes | Controls.Dialog.No
    Controls.Label {
        id: questionLabel
        width: parent.width
        wrapMode: Text.Wrap
    }
    onAccepted: dialog.pantry.takeOutRecipe(dialog.pendingRecipe, dialog.pendingServings)
}
