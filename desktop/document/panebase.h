#pragma once

#include "document/activedocumentlistener.h"

#include <QWidget>

// Common base of the content panes: a widget that shows the active document.
class PaneBase : public QWidget, public ActiveDocumentListener
{
    Q_OBJECT
public:
    explicit PaneBase(QWidget* parent = nullptr);
};
