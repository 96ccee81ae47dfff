// What the window manager offers on the title bar of a window that the player
// cannot minimise, maximise or (where its Close is gone) close.
#pragma once

class QWidget;

namespace ui {

// A modal window offers no minimise and no maximise: minimising it would hide
// the window that waits for it too, and a form of fixed size has nothing to
// maximise. Qt already asks the manager for this (Motif hints); a manager that
// draws a title bar's buttons by the window's type alone is given a type whose
// title bar has no such buttons. Call after the window's flags are set (Qt
// writes the type again when they change) and before it is shown. Does nothing
// without an X display.
void OfferNoMinimise(QWidget* window);

// A window whose Close is gone shows no close button. A manager that keeps the
// close button whatever the window asks, and takes from the window only which
// parts of the frame to draw, is asked for the border alone, without a title
// bar; returns true when it was, and the window then draws its own caption.
// Returns false, asking nothing, under any other manager, without one and
// without an X display. Call where OfferNoMinimise is called.
bool OfferNoTitleBar(QWidget* window);

// Ends a move of `window` that the manager was asked for by the mouse but may
// not have begun before the button was let go (it would then move the window
// with the mouse, and take the keys, until the next click). Does nothing
// without an X display.
void CancelSystemMove(QWidget* window);

}  // namespace ui
