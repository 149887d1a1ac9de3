import QtQuick 2.12
import QtQuick.Controls 2.0 as Controls
import QtQuick.Layouts 1.2
import org.vantrel.tessellate 2.4 as Tessellate
import Saltrove 1.0

// Finding what to cook with what is at hand, for a thumb: words of the
// recipe's text, chosen ingredients and tags (offered as one types), and the
// recipes that have them all, then those that lack just one ingredient; what
// the pantry can cook now, then what it lacks one or two things for; the
// cooking journal's favourites, recipes not cooked for a month, and the last
// cooked first.
Tessellate.ScrollablePage {
    id: page

    property var scanner
    readonly property alias search: recipeSearch
    // At least this high, at any density, for a thumb to hit.
    readonly property int target: 48

    title: qsTr("Find")

    RecipeSearch {
        id: recipeSearch
        scanner: page.scanner ? page.scanner.scanner : null
        pantry: page.pantry
    }

    // The window's pantry, which "From my pantry" cooks from.
    property var pantry: Controls.ApplicationWindow.window
                         && Controls.ApplicationWindow.window.pantry
                         ? Controls.ApplicationWindow.window.pantry : null

    // The window's cooking journal, whose favourites and days the switches
    // follow.
    property var journal: Controls.ApplicationWindow.window
                          && Controls.ApplicationWindow.window.cookingJournal
                          ? Controls.ApplicationWindow.window.cookingJournal : null
    Binding {
        target: recipeSearch.journalFilter
        property: "journal"
        value: page.journal
    }

    // A field whose typed text offers names to choose, and the chosen names,
    // each dropped by a tap. Enter chooses what was typed; an offered name is
    // chosen by a tap, or by picking it with the arrow keys before Enter.
    component ChoiceField: Column {
        id: choiceField

        property string kind
        property var chosen: []
        property var offer: function(prefix) { return [] }
        property var suggestions: []
        // The offered name the arrow keys picked; -1 for none.
        property int picked: -1
        signal choose(string name)
        signal drop(string name)

        width: parent ? parent.width : 0
        spacing: Tessellate.Units.smallSpacing

        Controls.TextField {
            id: field
            objectName: choiceField.kind + "Field"
            width: parent.width
            height: Math.max(implicitHeight, page.target)
            leftPadding: Tessellate.Units.largeSpacing
            placeholderText: choiceField.kind === "ingredient" ? qsTr("Ingredient...")
                                                               : qsTr("Tag...")
            onTextChanged: {
                choiceField.picked = -1
                choiceField.suggestions = choiceField.offer(text)
            }
            Keys.onDownPressed: choiceField.picked = Math.min(choiceField.picked + 1,
                                                              choiceField.suggestions.length - 1)
            Keys.onUpPressed: choiceField.picked = Math.max(choiceField.picked - 1, -1)
            onAccepted: {
                var name = choiceField.picked >= 0 ? choiceField.suggestions[choiceField.picked]
                                                   : text
                if (name.trim() === "")
                    return
                choiceField.choose(name)
                text = ""
            }
        }

        Flow {
            width: parent.width
            spacing: Tessellate.Units.smallSpacing
            Repeater {
                objectName: choiceField.kind + "Suggestions"
                model: choiceField.suggestions
                delegate: Controls.Button {
                    implicitHeight: page.target
                    flat: true
                    highlighted: index === choiceField.picked
                    text: modelData
                    onClicked: {
                        choiceField.choose(modelData)
                        field.text = ""
                    }
                }
            }
        }

        Flow {
            width: parent.width
            spacing: Tessellate.Units.smallSpacing
            Repeater {
                objectName: choiceField.kind + "Chosen"
                model: choiceField.chosen
                delegate: Controls.Button {
                    implicitHeight: page.target
                    text: modelData + "  \u2715"
                    onClicked: choiceField.drop(modelData)
                }
            }
        }
    }

    ListView {
        id: results
        objectName: "findResults"

        model: recipeSearch.results
        currentIndex: -1

        header: Column {
            width: results.width
            z: 2
            spacing: Tessellate.Units.smallSpacing

            Controls.TextField {
                objectName: "findText"
                width: parent.width
                height: Math.max(implicitHeight, page.target)
                leftPadding: Tessellate.Units.largeSpacing
                placeholderText: qsTr("Search...")
                onTextChanged: recipeSearch.text = text
                onAccepted: recipeSearch.findNow()
            }

            ChoiceField {
                kind: "ingredient"
                chosen: recipeSearch.ingredients
                offer: function(prefix) { return recipeSearch.ingredientSuggestions(prefix) }
                onChoose: function(name) { recipeSearch.chooseIngredient(name) }
                onDrop: function(name) { recipeSearch.dropIngredient(name) }
            }

            ChoiceField {
                kind: "tag"
                chosen: recipeSearch.tags
                offer: function(prefix) { return recipeSearch.tagSuggestions(prefix) }
                onChoose: function(name) { recipeSearch.chooseTag(name) }
                onDrop: function(name) { recipeSearch.dropTag(name) }
            }

            Flow {
                width: parent.width
                Controls.CheckBox {
                    objectName: "findFromPantry"
                    height: Math.max(implicitHeight, page.target)
                    text: qsTr("From my pantry")
                    onToggled: recipeSearch.fromPantry = checked
                }
                Controls.CheckBox {
                    objectName: "findFavourites"
                    height: Math.max(implicitHeight, page.target)
                    text: qsTr("Favourites")
                    onToggled: recipeSearch.journalFilter.favourites = checked
                }
                Controls.CheckBox {
                    objectName: "findNotCookedLately"
                    height: Math.max(implicitHeight, page.target)
                    text: qsTr("Not cooked for a month")
                    onToggled: recipeSearch.journalFilter.notCookedLately = checked
                }
                Controls.CheckBox {
                    objectName: "findByLastCooked"
                    height: Math.max(implicitHeight, page.target)
                    text: qsTr("Last cooked first")
                    onToggled: recipeSearch.journalFilter.byLastCooked = checked
                }
            }

            Controls.Label {
                objectName: "findStatus"
                leftPadding: Tessellate.Units.largeSpacing
                text: recipeSearch.status
                opacity: 0.7
            }
        }

        delegate: Controls.ItemDelegate {
            objectName: "findResult"
            width: results.width
            height: Math.max(implicitHeight, page.target)
            text: model.missing ? model.display + "\n" + model.missing : model.display
            opacity: model.missing ? 0.7 : 1
            onClicked: {
                var recipe = Controls.ApplicationWindow.window.pageStack.push(
                            Qt.resolvedUrl("Recipe.qml"))
                recipe.path = model.path
                recipe.title = model.display
            }
        }

        Controls.Label {
            objectName: "emptyLabel"
            parent: results
            anchors.fill: parent
            anchors.topMargin: results.headerItem ? results.headerItem.height : 0
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            opacity: 0.6
            text: qsTr("Nothing to show")
            visible: results.count === 0
        }
    }
}
