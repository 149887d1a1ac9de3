#pragma once

// Makes the touch program's own types known to the QML engine, in the modules
// Saltrove 1.0 (Scanner, DocumentLoader) and Utils 1.0 (DirModel,
// StandardPaths). Call once, before the first engine is created.
void registerQmlTypes();
