import QtQuick
import QtQuick.Controls as QQC2

// The window's stack of pages. Pages pushed by URL are created here and
// destroyed when popped; the initial page belongs to whoever declared it.
Item {
    id: stack

    property var initialPage
    readonly property int depth: view.depth
    readonly property Item currentItem: view.currentItem

    // Creates the page from the document at `page` (or takes a page object),
    // shows it on top and returns it.
    function push(page, properties) {
        return view.push(page, properties || {})
    }

    // pop(null) removes every page above the first; pop() removes the top one.
    // The first page always stays.
    function pop(page) {
        if (view.depth <= 1)
            return null
        if (page === null)
            return view.pop(null)
        return view.pop()
    }

    function showInitialPage() {
        if (initialPage && view.depth === 0)
            view.push(initialPage)
    }

    onInitialPageChanged: showInitialPage()
    Component.onCompleted: showInitialPage()

    QQC2.StackView {
        id: view
        anchors.fill: parent
    }
}
