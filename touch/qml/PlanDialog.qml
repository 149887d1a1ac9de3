import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Layouts 1.2

// Asks on which of the next four weeks' days to cook a recipe, and for how
// many, then plans it.
Dialog {
    id: dialog
    objectName: "planDialog"

    property var mealPlan
    property string path
    readonly property int days: 28

    signal planned(string text)

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: parent ? Math.min(parent.width, 420) : 320
    modal: true
    title: qsTr("Plan this recipe")
    standardButtons: Dialog.Ok | Dialog.Cancel

    // Today, as the plan sees it, as a local date.
    function dayAt(offset) {
        var parts = (dialog.mealPlan ? dialog.mealPlan.today : "").split("-")
        var day = parts.length === 3 ? new Date(parts[0], parts[1] - 1, parts[2]) : new Date()
        day.setDate(day.getDate() + offset)
        return day
    }

    onAboutToShow: {
        dayBox.currentIndex = 0
        servingsBox.value = 0
    }

    onAccepted: {
        var day = dayAt(dayBox.currentIndex)
        var iso = Qt.formatDate(day, "yyyy-MM-dd")
        if (dialog.mealPlan && dialog.mealPlan.planRecipe(dialog.path, iso, servingsBox.value))
            dialog.planned(qsTr("Planned for %1").arg(dayBox.currentText))
        else
            dialog.planned(qsTr("No recipe to plan"))
    }

    ColumnLayout {
        width: parent.width

        Label {
            text: qsTr("Day")
        }
        ComboBox {
            id: dayBox
            objectName: "planDayBox"
            Layout.fillWidth: true
            model: {
                var names = []
                for (var i = 0; i < dialog.days; ++i) {
                    var day = dialog.dayAt(i)
                    var name = day.toLocaleDateString(Qt.locale(), "dddd d MMMM")
                    names.push(i === 0 ? qsTr("Today, %1").arg(name) : name)
                }
                return names
            }
        }
        Label {
            text: qsTr("Servings (0: as written)")
        }
        SpinBox {
            id: servingsBox
            objectName: "planServingsBox"
            from: 0
            to: 99
            editable: true
        }
    }
}
