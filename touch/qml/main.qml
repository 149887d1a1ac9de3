import QtQuick 2.0
import QtQuick.Controls 2.0
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

Tessellate.ApplicationWindow {
    id: root

    // The program's one scanner: creating the window reads the remembered
    // collection folder and starts the first scan.
    property var scanner: Scanner {}

    // The one shopping list, kept in the collection folder's
    // "shopping-list.md" and shared with every device that carries it.
    property var shoppingList: ShoppingList {
        collectionPath: root.scanner.rootPath
        onMessage: function(text) { root.showPassiveNotification(text) }
    }

    // The week's meals, kept in the collection folder's "meal-plan.md".
    property var mealPlan: MealPlan {
        collectionPath: root.scanner.rootPath
        onMessage: function(text) { root.showPassiveNotification(text) }
    }

    // The cooking journal, kept in the collection folder's
    // "cooking-journal.md": what was cooked when, with stars and notes.
    property var cookingJournal: CookingJournal {
        collectionPath: root.scanner.rootPath
        onMessage: function(text) { root.showPassiveNotification(text) }
    }

    // The pantry, kept in the collection folder's "pantry.md".
    property var pantry: Pantry {
        collectionPath: root.scanner.rootPath
        onMessage: function(text) { root.showPassiveNotification(text) }
    }

    // Cooking a recipe to its end offers to take its amounts out of the
    // pantry, wherever the cook is.
    TakeOutDialog {
        id: takeOutDialog
        pantry: root.pantry
    }
    Connections {
        target: root.cookingJournal
        function onCooked(recipePath, servings) { takeOutDialog.offer(recipePath, servings) }
    }

    visible: true
    width: 480
    height: 640
    title: "Saltrove"

    function popToFirstPage() {
        if (root.pageStack.depth > 1)
            root.pageStack.pop(null)
    }

    contextDrawer: Tessellate.ContextDrawer {
        id: contextDrawer
    }

    globalDrawer: Tessellate.GlobalDrawer {
        title: "Saltrove"
        titleIcon: ":/appicon.svg"
        actions: [
            Tessellate.Action {
                text: qsTr("Refresh")
                icon.name: "view-refresh"
                onTriggered: {
                    root.scanner.refresh()
                    root.showPassiveNotification(qsTr("Refreshing"))
                }
            },
            Tessellate.Action {
                text: qsTr("Open cookbook")
                icon.name: "document-open-folder"
                onTriggered: {
                    root.popToFirstPage()
                    var page = root.pageStack.push(Qt.resolvedUrl("SelectFolder.qml"))
                    page.selected.connect(function(path) {
                        root.scanner.rootPath = path
                        root.popToFirstPage()
                        root.showPassiveNotification(qsTr("Scanning"))
                    })
                }
            },
            Tessellate.Action {
                text: qsTr("Home")
                icon.name: "go-home"
                onTriggered: root.popToFirstPage()
            },
            Tessellate.Action {
                text: qsTr("Help")
                icon.name: "help-contents"
                onTriggered: root.pageStack.push(Qt.resolvedUrl("Help.qml"))
            },
            Tessellate.Action {
                objectName: "findAction"
                text: qsTr("Find")
                icon.name: "edit-find"
                onTriggered: {
                    root.popToFirstPage()
                    root.pageStack.push(Qt.resolvedUrl("Find.qml"), {scanner: root.scanner})
                }
            },
            Tessellate.Action {
                objectName: "shoppingListAction"
                text: qsTr("Shopping list")
                icon.name: "view-list-details"
                onTriggered: {
                    root.popToFirstPage()
                    root.pageStack.push(Qt.resolvedUrl("ShoppingList.qml"),
                                        {shoppingList: root.shoppingList})
                }
            },
            Tessellate.Action {
                objectName: "mealPlanAction"
                text: qsTr("Meal plan")
                icon.name: "view-calendar-week"
                onTriggered: {
                    root.popToFirstPage()
                    root.pageStack.push(Qt.resolvedUrl("MealPlan.qml"),
                                        {mealPlan: root.mealPlan, shoppingList: root.shoppingList})
                }
            },
            Tessellate.Action {
                objectName: "pantryAction"
                text: qsTr("Pantry")
                icon.name: "go-home"
                onTriggered: {
                    root.popToFirstPage()
                    root.pageStack.push(Qt.resolvedUrl("Pantry.qml"),
                                        {pantry: root.pantry, scanner: root.scanner})
                }
            }
        ]
    }

    pageStack.initialPage: MainPage {
        scanner: root.scanner
    }
}
