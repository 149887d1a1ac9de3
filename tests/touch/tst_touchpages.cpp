#include "qmltypes.h"
#include "browse/recipeimageprovider.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QQmlEngine>
#include <QStandardPaths>
#include <QtQuickTest>

// Prepares the process as the program does (style, identity, its QML types)
// and adds the tests' helper, before any test engine exists.
class Setup : public QObject
{
    Q_OBJECT
public:
    Setup() = default;

public slots:
    void applicationAvailable()
    {
        m_support.isolateHome();
        QStandardPaths::setTestModeEnabled(true);
        qputenv("QT_QUICK_CONTROLS_STYLE", "Material");
        QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
        QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
        QCoreApplication::setApplicationName(QStringLiteral("SaltroveTouch"));
        registerQmlTypes();
        qmlRegisterSingletonInstance("SaltroveTest", 1, 0, "TestSupport", &m_support);
    }

    // As the program's engine, each test engine loads a recipe's pictures
    // through the program's own provider (the engine owns it).
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImageProvider(RecipeImageProvider::name(), new RecipeImageProvider);
    }

private:
    TestSupport m_support;
};

QUICK_TEST_MAIN_WITH_SETUP(touchpages, Setup)

#include "tst_touchpages.moc"
