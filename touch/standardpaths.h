#pragma once

#include <QJSValue>

class QJSEngine;
class QQmlEngine;

// The value of the pages' StandardPaths singleton: a script object whose one
// property, Documents, holds the user's documents folder. The engine asks once
// and keeps the value for its lifetime.
QJSValue standardPathsProvider(QQmlEngine* engine, QJSEngine* scriptEngine);
