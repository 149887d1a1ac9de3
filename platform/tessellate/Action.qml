import QtQuick
import QtQuick.Controls as QQC2

// A command offered in a drawer: text, icon.name, checkable, checked and
// triggered() all come from Qt Quick Controls' own action.
QQC2.Action {
}
