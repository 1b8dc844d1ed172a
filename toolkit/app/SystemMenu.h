#pragma once

class TForm;
class TPopupMenu;

// The menu of a form's frame, which Alt+Space opens under the left end of
// the caption: Restore, Move, Size, Minimize, Maximize and Close, each
// enabled as the frame and the window's state allow; a dialog frame offers
// Move and Close only. Close is the form's ordinary closing.
//
// Move and Size work from the keyboard: the arrow keys move the window (or
// its right and bottom edges), Enter keeps the new bounds and Escape puts
// the old ones back.

namespace SystemMenu {

void Open(TForm &form);
// The form's system menu, made on first use; Open fills it anew each time.
TPopupMenu &MenuOf(TForm &form);

// Starts moving or sizing the form with the arrow keys.
void TrackMove(TForm &form);
void TrackSize(TForm &form);

// How far one arrow key moves the window or an edge.
constexpr int kKeyboardStep = 8;

} // namespace SystemMenu
