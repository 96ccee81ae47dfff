#include "ui/CaptionStrip.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "ui/WindowButtons.h"

namespace ui {

namespace {

// The colours of the manager's title bar, active and inactive: the upper half
// one gradient and the lower half another, raised (lighter at the top and the
// left, darker at the foot), a line beneath, the caption.
struct Look {
  QColor topFrom, topTo, bottomFrom, bottomTo, line, text;
  bool shadow;  // the caption has a soft dark shadow
};

const Look kActive{"#98B9E2", "#8BAFDB", "#86ABD9", "#7DA3D3", "#4E76A8", "#FFFFFF", true};
const Look kInactive{"#EAE9E8", "#E2E1DF", "#DEDCDA", "#D7D5D3", "#96999D", "#70747D", false};

// Fills the part `r` of the title bar `bar` with the gradients, their colours
// lightened or darkened by `factor` percent (100 leaves them).
void FillBar(QPainter& p, const QRect& bar, const QRect& r, const Look& look, int factor) {
  const auto tone = [factor](const QColor& c) { return factor >= 100 ? c.lighter(factor) : c.darker(10000 / factor); };
  const int half = bar.top() + bar.height() / 2;
  // From the centre of the row below the top edge to that of the row above
  // the foot, for each half.
  QLinearGradient top(0, bar.top() + 1.5, 0, half - 0.5);
  top.setColorAt(0, tone(look.topFrom));
  top.setColorAt(1, tone(look.topTo));
  QLinearGradient bottom(0, half + 0.5, 0, bar.bottom() - 0.5);
  bottom.setColorAt(0, tone(look.bottomFrom));
  bottom.setColorAt(1, tone(look.bottomTo));
  p.fillRect(QRect(bar.left(), bar.top(), bar.width(), half - bar.top()).intersected(r), top);
  p.fillRect(QRect(bar.left(), half, bar.width(), bar.bottom() + 1 - half).intersected(r), bottom);
}

// The icon the manager shows for a window: its own, else that of the window it
// belongs to, and so on up.
QIcon CaptionIcon(const QWidget* window) {
  for (const QWindow* w = window->windowHandle(); w; w = w->transientParent()) {
    if (!w->icon().isNull()) return w->icon();
  }
  return window->windowIcon();
}

// The manager's caption font: bold sans of 8 points at the desktop's dots per
// inch, in whole pixels.
QFont CaptionFont(const QWidget& strip) {
  QFont f(QStringLiteral("Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setBold(true);
  f.setHintingPreference(QFont::PreferFullHinting);
  const qreal dpi = strip.screen() ? strip.screen()->logicalDotsPerInchY() : 96;
  f.setPixelSize(qRound(8 * dpi / 72));
  return f;
}

}  // namespace

CaptionStrip::CaptionStrip(QWidget* window) : QWidget(window) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The caption's line with a margin of two and a half above and below, and
  // the line beneath: 19 at 96 dots per inch.
  setGeometry(0, 0, window->width(), QFontMetrics(CaptionFont(*this)).height() + 6);
  window->installEventFilter(this);
}

void CaptionStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const Look& look = window()->isActiveWindow() ? kActive : kInactive;
  const QRect bar(0, 0, width(), height() - 1);
  FillBar(p, bar, bar, look, 100);
  // The raised edge: light along the top and the left, a shade darker at the
  // foot; the line beneath parts the caption from the window.
  FillBar(p, bar, QRect(0, bar.bottom(), width(), 1), look, 97);
  FillBar(p, bar, QRect(0, 0, width(), 1), look, 114);
  FillBar(p, bar, QRect(0, 0, 1, bar.height()), look, 113);
  FillBar(p, bar, QRect(bar.right(), 0, 1, bar.height() - 1), look, 98);
  p.fillRect(QRect(0, bar.bottom() + 1, width(), 1), look.line);

  const int iconSize = bar.height() - 4;
  const QIcon icon = CaptionIcon(window());
  if (!icon.isNull()) icon.paint(&p, QRect(4, 2, iconSize, iconSize));

  const QFont f = CaptionFont(*this);
  p.setFont(f);
  // Centred between the icon and as much room on the other side.
  const QRect room = bar.adjusted(iconSize + 8, 0, -(iconSize + 8), 0);
  const QString text = QFontMetrics(f).elidedText(window()->windowTitle(), Qt::ElideRight, room.width());
  const int align = Qt::AlignCenter | Qt::TextSingleLine;
  if (look.shadow) {
    p.setPen(QColor(0, 0, 0, 77));
    p.drawText(room.translated(1, 1), align, text);
  }
  p.setPen(look.text);
  p.drawText(room, align, text);
}

void CaptionStrip::mousePressEvent(QMouseEvent* e) {
  pressed_ = e->button() == Qt::LeftButton;
  moving_ = false;
  pressedAt_ = e->globalPosition();
  e->accept();
}

void CaptionStrip::mouseMoveEvent(QMouseEvent* e) {
  if (pressed_ && (e->buttons() & Qt::LeftButton) &&
      (e->globalPosition() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
    pressed_ = false;
    if (QWindow* w = window()->windowHandle()) moving_ = w->startSystemMove();
  }
  e->accept();
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent* e) {
  // The manager takes the mouse for a move it began: a release that still
  // comes here came before it, and the move is called off.
  if (moving_) CancelSystemMove(window());
  pressed_ = moving_ = false;
  e->accept();
}

bool CaptionStrip::eventFilter(QObject* watched, QEvent* e) {
  if (watched == window()) {
    switch (e->type()) {
      case QEvent::Resize:
        resize(window()->width(), height());
        break;
      case QEvent::WindowTitleChange:
      case QEvent::WindowIconChange:
      case QEvent::ActivationChange:
        update();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace ui
