#pragma once

// Forces the style the pages are laid out for; call before the application
// object is created, so that it is in force before Qt Quick Controls loads.
void forceTouchStyle();

// What the touch program does to itself once its application object exists
// and before its first page loads: its icon and names (which keep its settings
// apart from the desktop program's) and the registration of its QML types.
void prepareTouchApplication();
