#pragma once

class QWidget;

// Gives the keyboard focus back to Frame when a modal dialog of the program
// closes and no other one is left open, as a window manager would; where
// there is none, the frame's keys would stay dead until a click.
void ReturnFocusToFrameAfterDialogs(QWidget& Frame);
