#pragma once

// What the desktop program does to itself once its application object exists
// and before its window is built: registers an installed icon-theme bundle and
// gives the program its icon and names (which decide where its settings live).
void prepareDesktopApplication();
