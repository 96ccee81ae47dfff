#include "ui/WindowButtons.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#ifdef VANTREL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace ui {

#ifdef VANTREL_HAVE_XCB
namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> r(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), std::free);
  return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type) {
  return Reply<xcb_get_property_reply_t>(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr), std::free);
}

// The name the running window manager gives itself (empty without one).
QByteArray ManagerName(xcb_connection_t* c, xcb_window_t root) {
  auto check = Property(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
  if (!check || check->format != 32 || xcb_get_property_value_length(check.get()) < 4) return {};
  const xcb_window_t manager = *static_cast<const xcb_window_t*>(xcb_get_property_value(check.get()));
  auto name = Property(c, manager, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"));
  if (!name || name->format != 8) return {};
  return QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                    xcb_get_property_value_length(name.get()));
}

// The X connection when the running manager is this one (null otherwise): it
// leaves the Motif functions aside, gives every normal, dialog and utility
// window all three buttons, and a toolbar's title bar only Close.
xcb_connection_t* UnderOpenbox(QWidget* window) {
  if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return nullptr;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  return ManagerName(c, root) == "Openbox" ? c : nullptr;
}

}  // namespace

void OfferNoMinimise(QWidget* window) {
  xcb_connection_t* c = UnderOpenbox(window);
  if (!c) return;
  const xcb_window_t w = xcb_window_t(window->winId());
  const xcb_atom_t typeAtom = Atom(c, "_NET_WM_WINDOW_TYPE");
  const xcb_atom_t toolbar = Atom(c, "_NET_WM_WINDOW_TYPE_TOOLBAR");
  std::vector<xcb_atom_t> types{toolbar};
  // The types Qt gave the window follow, for a manager that reads further.
  if (auto given = Property(c, w, typeAtom, XCB_ATOM_ATOM); given && given->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(given.get()));
    for (int i = 0; i < xcb_get_property_value_length(given.get()) / 4; ++i)
      if (atoms[i] != toolbar) types.push_back(atoms[i]);
  }
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, typeAtom, XCB_ATOM_ATOM, 32, uint32_t(types.size()), types.data());
  xcb_flush(c);
}

bool OfferNoTitleBar(QWidget* window) {
  xcb_connection_t* c = UnderOpenbox(window);
  if (!c) return false;
  const xcb_window_t w = xcb_window_t(window->winId());
  // The Motif hints: flags, functions, decorations, input mode, status. The
  // functions Qt wrote stay; the decorations become the border alone, which
  // this manager draws as a frame without a title bar.
  enum : uint32_t { kFunctionsGiven = 1, kDecorationsGiven = 2, kBorder = 2 };
  const xcb_atom_t motif = Atom(c, "_MOTIF_WM_HINTS");
  uint32_t hints[5] = {0, 0, 0, 0, 0};
  if (auto given = Property(c, w, motif, motif); given && given->format == 32) {
    const int n = std::min(5, xcb_get_property_value_length(given.get()) / 4);
    std::memcpy(hints, xcb_get_property_value(given.get()), size_t(n) * 4);
  }
  hints[0] = (hints[0] & kFunctionsGiven) | kDecorationsGiven;
  hints[2] = kBorder;
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, motif, motif, 32, 5, hints);
  xcb_flush(c);
  return true;
}

void CancelSystemMove(QWidget* window) {
  if (!window || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  enum : uint32_t { kCancel = 11, kFromApplication = 1 };
  xcb_client_message_event_t m{};
  m.response_type = XCB_CLIENT_MESSAGE;
  m.format = 32;
  m.window = xcb_window_t(window->winId());
  m.type = Atom(c, "_NET_WM_MOVERESIZE");
  m.data.data32[2] = kCancel;
  m.data.data32[3] = 1;  // the left button
  m.data.data32[4] = kFromApplication;
  xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&m));
  xcb_flush(c);
}
#else
void OfferNoMinimise(QWidget*) {}
bool OfferNoTitleBar(QWidget*) { return false; }
void CancelSystemMove(QWidget*) {}
#endif

}  // namespace ui
