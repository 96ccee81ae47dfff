#include "games/kriket.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "gamekit/GameWindow.h"
#include "games/GameFocus.h"
#include "ui/Canvas.h"
#include "ui_kriket.h"

TForm_k* Form_k = nullptr;

namespace {

using Segment = darts::Cricket::Segment;

constexpr int kTargetRows[darts::Cricket::kTargets] = {20, 19, 18, 17, 16, 15, 21};  // panels 1..7

// One of a target's four pictures: its number, one mark ("/"), two marks
// ("X") and closed (a ringed "X" on a lit field).
QPixmap MarkPixmap(const QString& number, int marks) {
  QPixmap pix(60, 64);
  pix.fill(marks >= 3 ? QColor(0x1b, 0x6e, 0x20) : QColor(0x10, 0x10, 0x10));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  QFont f(QStringLiteral("Arial"));
  f.setBold(true);
  if (marks == 0) {
    f.setPixelSize(number.size() > 2 ? 22 : 30);
    p.setFont(f);
    p.setPen(QColor(0xf5, 0xf5, 0xf5));
    p.drawText(pix.rect(), Qt::AlignCenter, number);
    return pix;
  }
  f.setPixelSize(11);
  p.setFont(f);
  p.setPen(QColor(0xc8, 0xc8, 0xc8));
  p.drawText(QRect(0, 0, 58, 13), Qt::AlignRight | Qt::AlignTop, number);
  QPen pen(QColor(0xff, 0xd7, 0x00), 6, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  const QRectF box(14, 16, 32, 38);
  p.drawLine(box.bottomLeft(), box.topRight());
  if (marks >= 2) p.drawLine(box.topLeft(), box.bottomRight());
  if (marks >= 3) {
    pen.setWidth(4);
    p.setPen(pen);
    p.drawEllipse(QRectF(6, 11, 48, 48));
  }
  return pix;
}

}  // namespace

TForm_k::TForm_k(QWidget* parent) : gamekit::TGameWindow(parent) {}
TForm_k::~TForm_k() = default;

Ui::TForm_k& TForm_k::Controls() {
  EnsureForm();
  return *ui_;
}

QLabel* TForm_k::MarkImage(int panel, int k) {
  EnsureForm();
  return panel >= 1 && panel <= darts::Cricket::kTargets && k >= 0 && k < 4 ? images_[panel - 1][k] : nullptr;
}

// The form, its buttons found by name, and the boards drawn once.
void TForm_k::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_k>();
  ui_->setupUi(this);
  InitForm();
  for (int s = 15; s <= 21; ++s) {
    for (int m = 1; m <= 3; ++m) {
      QPushButton* b = findChild<QPushButton*>(QStringLiteral("SpeedButton%1_%2").arg(s).arg(m));
      segments_[s - 15][m - 1] = b;
      if (!b) continue;
      b->setMouseTracking(true);
      b->installEventFilter(this);
    }
  }
  for (int t = 0; t < darts::Cricket::kTargets; ++t) {
    const QString number = t == darts::Cricket::kBull ? QStringLiteral("Bull") : QString::number(kTargetRows[t]);
    for (int k = 0; k < 4; ++k) {
      images_[t][k] = findChild<QLabel*>(QStringLiteral("Image%1_%2").arg(kTargetRows[t]).arg(k));
      if (images_[t][k]) images_[t][k]->setPixmap(MarkPixmap(number, k));
    }
  }
  gamekit::InfoBackground(*ui_->StringGrid1);
  games::TabFocusButtons(*this);
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {ui_->BitBtn2}},
      {ui::VK_F7, {ui_->BitBtn1}},
      {'0', {ui_->SpeedButton21_1}},
      {96, {ui_->SpeedButton21_1}},  // 0 of the numeric pad
  };
}

void TForm_k::ShowGame() {
  Ui::TForm_k& c = *ui_;
  const int rows = std::max(shownRows_, game_.VisitRows());
  for (int r = 0; r <= rows; ++r) {
    for (int col = 0; col < darts::Cricket::kCols; ++col) c.StringGrid1->SetCell(col, r, game_.VisitCell(col, r));
  }
  shownRows_ = game_.VisitRows();
  for (int t = 0; t < darts::Cricket::kTargets; ++t) {
    for (int k = 0; k < 4; ++k) {
      if (images_[t][k]) images_[t][k]->setVisible(k == game_.MarkPicture(t));
    }
  }
  for (int s = 15; s <= 21; ++s) {
    for (int m = 1; m <= 3; ++m) {
      if (QPushButton* b = segments_[s - 15][m - 1]) b->setEnabled(game_.Takes({s, m}));
    }
  }
  c.BitBtn1->setEnabled(game_.NewLegOffered());
}

// ---------------------------------------------------------------------------
// Opening, keys, hover

// A leg starts only with "- Новый лег", which keeps its state from the last
// closing.
void TForm_k::FormShow() {
  pending_.reset();
  game_.Open(gamekit::DatedNow());
  ShowGame();
  games::RestFocus(*this);
}

void TForm_k::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  int k = key;
  if (k == '0' && (shift & Qt::KeypadModifier)) k = 96;
  keys_.Handle(k);
}

bool TForm_k::eventFilter(QObject* watched, QEvent* e) {
  auto* b = qobject_cast<QPushButton*>(watched);
  if (b && (e->type() == QEvent::MouseMove || e->type() == QEvent::Enter || e->type() == QEvent::Leave)) {
    // Red while the mouse is over a segment button, black once it leaves.
    QPalette pal = b->palette();
    const QColor colour = e->type() == QEvent::Leave ? ui::ToQColor(0) : ui::ToQColor(255);
    // A closed target keeps the grey text of a disabled button.
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) pal.setColor(g, QPalette::ButtonText, colour);
    b->setPalette(pal);
  }
  return gamekit::TGameWindow::eventFilter(watched, e);
}

// ---------------------------------------------------------------------------
// Darts

#define SEGMENT_HANDLER(s, m) \
  void TForm_k::SpeedButton##s##_##m##Click() { SegmentClick(s, m); }
SEGMENT_HANDLER(20, 1)
SEGMENT_HANDLER(20, 2)
SEGMENT_HANDLER(20, 3)
SEGMENT_HANDLER(19, 1)
SEGMENT_HANDLER(19, 2)
SEGMENT_HANDLER(19, 3)
SEGMENT_HANDLER(18, 1)
SEGMENT_HANDLER(18, 2)
SEGMENT_HANDLER(18, 3)
SEGMENT_HANDLER(17, 1)
SEGMENT_HANDLER(17, 2)
SEGMENT_HANDLER(17, 3)
SEGMENT_HANDLER(16, 1)
SEGMENT_HANDLER(16, 2)
SEGMENT_HANDLER(16, 3)
SEGMENT_HANDLER(15, 1)
SEGMENT_HANDLER(15, 2)
SEGMENT_HANDLER(15, 3)
SEGMENT_HANDLER(21, 1)
SEGMENT_HANDLER(21, 2)
SEGMENT_HANDLER(21, 3)
#undef SEGMENT_HANDLER

// A closed target or a finished leg takes no dart, however the click came.
void TForm_k::SegmentClick(int s, int m) {
  if (!game_.Takes({s, m})) return;
  pending_ = Segment{s, m};
  BitBtn3Click();
}

void TForm_k::BitBtn3Click() {
  if (!pending_ || !game_.Throw(*std::exchange(pending_, std::nullopt))) return;
  ShowGame();
  if (const int row = game_.FollowedRow()) ui_->StringGrid1->SetRow(row);
  games::RestFocus(*this);
}

void TForm_k::BitBtn1Click() {
  ui_->StringGrid1->SetRow(0);
  game_.NewLeg();
  pending_.reset();
  ShowGame();
  games::RestFocus(*this);
}

// ---------------------------------------------------------------------------
// Leaving: no reset, the next showing resets the window

gamekit::TGameWindow::Played TForm_k::WhatWasPlayed() const {
  return game_.LegsPlayed() == 0 ? Played::Nothing : Played::Record;
}

QStringList TForm_k::StatisticsLines(const QString& stamp) const {
  (void)stamp;  // the file's first line is the date of the showing
  return game_.FileLines();
}

void TForm_k::BitBtn2Click() {
  game_.Leaving();
  ShowGame();
  Leave();
}

void TForm_k::ResetGame() {
  game_.Leaving();
  ShowGame();
}

void TForm_k::StayInGame() {
  game_.Leaving();
  ShowGame();
}

void TForm_k::BitBtn4Click() { ExportSheet(); }
