#include "document/panebase.h"

PaneBase::PaneBase(QWidget* parent)
    : QWidget(parent)
{}
