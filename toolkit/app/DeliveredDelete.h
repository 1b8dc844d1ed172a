#pragma once

class QWidget;

// Deletes a closed top-level window once the window system has delivered
// everything it sent to that window while it was open.
//
// A popup holds the keyboard: the window system routes every key to it until
// the program has closed it. A busy program reads keys late, and Qt drops a
// key whose window no longer exists, so a second key a person typed right
// after the one that closed the popup went nowhere. A marker sent to the
// window after it has let go of the keyboard comes back behind every such
// key; the window is deleted when the marker arrives. Without the X11
// connection the window is deleted at the next turn of the event loop.
void DeleteWhenDelivered(QWidget &window);
