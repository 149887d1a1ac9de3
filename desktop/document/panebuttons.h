#pragma once

#include <QString>

class QBoxLayout;
class QPushButton;

// Adds a push button with a theme icon and an object name (by which tests find
// it) to a pane's layout, which owns it from then on.
QPushButton* addPaneButton(QBoxLayout* layout, const QString& text, const QString& name,
                           const QString& icon);
