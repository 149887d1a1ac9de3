import QtQuick
import QtTest
import SaltroveTest 1.0

// What the program offers its pages besides the pages themselves.
TestCase {
    id: testCase
    name: "Registration"

    function create(source) {
        return createTemporaryQmlObject(source, testCase)
    }

    function failsToLoad(source) {
        try {
            Qt.createQmlObject(source, testCase)
        } catch (error) {
            return error.qmlErrors.length > 0
        }
        return false
    }

    function test_typesOfBothModules() {
        var object = create("import QtQml; import Saltrove 1.0; import Utils 1.0; QtObject {"
                            + " property var scanner: Scanner {}"
                            + " property var loader: DocumentLoader {}"
                            + " property var dirs: DirModel { mode: DirModel.Folders | DirModel.Hidden }"
                            + " property string documents: StandardPaths.Documents }")
        verify(object.scanner.titleList)
        verify(object.loader.text.indexOf("# Saltrove") === 0)
        compare(object.dirs.mode, 257)
        compare(object.documents, TestSupport.documents)
    }

    function test_otherMajorVersionsDoNotLoad_data() {
        return [
            { tag: "Saltrove 2.0", source: "import QtQml; import Saltrove 2.0; QtObject {}" },
            { tag: "Utils 2.0", source: "import QtQml; import Utils 2.0; QtObject {}" },
            { tag: "Scanner is not in Utils", source: "import QtQml; import Utils 1.0; Scanner {}" },
        ]
    }

    function test_otherMajorVersionsDoNotLoad(data) {
        verify(failsToLoad(data.source), data.tag)
    }

    function test_documentsIsLookedUpOnce() {
        var first = create("import QtQml; import Utils 1.0; QtObject {"
                           + " property string documents: StandardPaths.Documents }")
        var home = TestSupport.home()
        var elsewhere = TestSupport.newFolder()
        TestSupport.setHome(elsewhere)
        try {
            var second = create("import QtQml; import Utils 1.0; QtObject {"
                                + " property string documents: StandardPaths.Documents }")
            compare(second.documents, first.documents)
            compare(first.documents, home + "/Documents")
        } finally {
            TestSupport.setHome(home)
        }
    }
}
