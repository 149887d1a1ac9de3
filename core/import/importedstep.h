#pragma once

#include <QString>

// One step of an imported recipe's directions, with the name of the section it
// belongs to ("For the dough"); the section is empty for steps outside any.
struct ImportedStep
{
    QString section;
    QString text;
};
