#pragma once

class QWidget;

// Office staff fill forms with the Enter key: in the window's inputs Enter moves
// to the next input as Tab does (tick boxes and radio buttons included), on a
// push button it presses the button, and inside multi-line text boxes it keeps
// starting a new line. Call once the window's controls exist.
void enterMovesFocus(QWidget* window);
