#pragma once

// Helpers shared by the desktop tests: recipe files on disk, and ways to reach
// the parts of a window the way a user would see them.

#include "mainwindow.h"
#include "support/recipefiles.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>

namespace testing {

// The identity the program gives itself, so that settings land where the
// window reads them; test mode keeps them out of the user's own folders.
inline void useTestIdentity()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("vantrel.org"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("vantrel.org"));
    QCoreApplication::setApplicationName(QStringLiteral("Saltrove"));
}

// One of the window's actions, found by its object name.
inline QAction* windowAction(const MainWindow& window, const QString& objectName)
{
    return window.findChild<QAction*>(objectName);
}

template<typename Pane>
Pane* dockPane(const MainWindow& window, const QString& dockName)
{
    const auto* dock = window.findChild<QDockWidget*>(dockName);
    return dock ? qobject_cast<Pane*>(dock->widget()) : nullptr;
}

inline QString shownText(const MainWindow& window)
{
    const auto* browser = window.centralWidget()->findChild<QTextBrowser*>();
    return browser ? browser->toPlainText() : QString();
}

inline QString statusText(MainWindow& window)
{
    return window.statusBar()->currentMessage();
}

// Runs `answer` on the first modal dialog of type Dialog that comes up while
// `open` runs its event loop; false if none came up.
template<typename Dialog, typename Open, typename Answer>
bool answerModal(Open open, Answer answer)
{
    bool answered = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            answered = true;
            answer(dialog);
        }
    });
    poll.start();
    open();
    return answered;
}

inline QString documentsRecipes()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           QStringLiteral("/recipes/");
}

} // namespace testing
