#pragma once

class QWidget;

// Places a window before it is shown: mode 0 list, manager and statistics
// windows (large, centred), 1 editors and small dialogs (their own size,
// centred on the window that opened them), 2 the main window (most of the screen).
void DispFormPos(QWidget* window, int mode);
