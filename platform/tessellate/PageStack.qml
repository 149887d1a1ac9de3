import QtQuick
import QtQuick.Controls as QQC2

// The window's stack of pages. Pages pushed by URL are created here and
// destroyed once they have left the stack; the initial page belongs to whoever
// declared it.
Item {
    id: stack

    property var initialPage
    readonly property int depth: view.depth
    readonly property Item currentItem: view.currentItem
    // True while a page slides in or out.
    readonly property bool busy: view.busy

    // Pages created here, and those of them that have left the stack and
    // wait for their transition to end.
    property var _created: []
    property var _leaving: []

    // Creates the page from the document at `page` (or takes a page object),
    // shows it on top and returns it.
    function push(page, properties) {
        var item = page
        if (typeof page === "string" || !(page instanceof Item)) {
            var component = Qt.createComponent(page)
            if (component.status !== Component.Ready) {
                console.warn(component.errorString())
                return null
            }
            // Created and destroyed here rather than by the view, so that a
            // page keeps its own scope until it is gone.
            item = component.createObject(stack, properties || {})
            if (!item)
                return null
            item.visible = false
            _created.push(item)
        }
        view.push(item)
        return item
    }

    // pop(null) removes every page above the first; pop() removes the top one.
    // The first page always stays. Returns the page that was on top.
    function pop(page) {
        if (view.depth <= 1)
            return null
        var first = page === null ? 1 : view.depth - 1
        for (var i = view.depth - 1; i >= first; --i)
            _leaving.push(view.get(i, QQC2.StackView.DontLoad))
        var top = page === null ? view.pop(null) : view.pop()
        _disposeLeaving()
        return top
    }

    function _disposeLeaving() {
        if (view.busy)
            return
        var leaving = _leaving
        _leaving = []
        for (var i = 0; i < leaving.length; ++i) {
            var index = _created.indexOf(leaving[i])
            if (index >= 0) {
                _created.splice(index, 1)
                leaving[i].destroy()
            }
        }
    }

    function _showInitialPage() {
        if (initialPage && view.depth === 0)
            view.push(initialPage)
    }

    onInitialPageChanged: _showInitialPage()
    Component.onCompleted: _showInitialPage()

    QQC2.StackView {
        id: view
        anchors.fill: parent
        onBusyChanged: stack._disposeLeaving()
    }
}
