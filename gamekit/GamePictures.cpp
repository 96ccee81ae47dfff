#include <QtGlobal>

// The pictures of the game windows' buttons (ok, new leg, undo, exit, ...),
// compiled with this library; registered once, whichever window comes first.
void InitGamePictures() {
  static const bool once = [] {
    Q_INIT_RESOURCE(solo);
    return true;
  }();
  (void)once;
}
