// Where the keyboard rests in the game windows between the player's actions:
// never on a button that scores, starts, ends or leaves, so that a stray Enter
// or Space plays nothing.
#pragma once

class QWidget;

namespace games {

// The window's buttons take the focus from Tab only: a click leaves the focus
// where it rested.
void TabFocusButtons(QWidget& window);

// The focus rests on the window itself: Enter and Space press nothing there,
// the function keys act as everywhere, and Tab goes on to the first control.
void RestFocus(QWidget& window);

}  // namespace games
