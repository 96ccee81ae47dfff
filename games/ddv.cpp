#include "games/ddv.h"

#include <algorithm>

#include "darts/Decimals.h"
#include "gamekit/GameWindow.h"
#include "games/Form_ddv_r.h"
#include "games/GameFocus.h"
#include "ui/SysUtils.h"
#include "ui_ddv.h"

TForm_ddv* Form_ddv = nullptr;

namespace {

using darts::Ddv;

// Colours of the graph (0x00BBGGRR).
constexpr ui::TColor clBlack = 0x000000;
constexpr ui::TColor clRed = 0x0000FF;
constexpr ui::TColor clPurple = 0x800080;
constexpr ui::TColor clLime = 0x00FF00;
constexpr ui::TColor clHighlight = 0xD77800;
constexpr ui::TColor clBtnFace = 0xF0F0F0;

QString OneDecimal(float value) { return darts::Decimals(value, 1, ui::DecimalSeparator()); }
QString Shortest(float value) { return ui::FloatToStr(value); }

}  // namespace

TForm_ddv::TForm_ddv(QWidget* parent) : gamekit::TGameWindow(parent), game_(OneDecimal, Shortest) {}
TForm_ddv::~TForm_ddv() = default;

Ui::TForm_ddv& TForm_ddv::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_ddv::BuildForm() {
  ui_ = std::make_unique<Ui::TForm_ddv>();
  ui_->setupUi(this);
  Ui::TForm_ddv& c = *ui_;
  c.StatusBar1->addWidget(c.StatusPanel, 1);
  InitForm();
  games::TabFocusButtons(*this);
  // One press of F1 or F4 enters one dart: the map runs the first enabled
  // button and stops, so the pair that dart enables waits for the next press.
  keys_ = gamekit::FunctionKeyMap{
      {ui::VK_F10, {c.BitBtn2}},
      {ui::VK_F7, {c.BitBtn1}},
      {ui::VK_F1, {c.BitBtn4, c.BitBtn6, c.BitBtn8}},
      {ui::VK_F4, {c.BitBtn5, c.BitBtn7, c.BitBtn9}},
  };
  c.PaintBox1->Clear(clBtnFace);
}

void TForm_ddv::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  keys_.Handle(key);  // the key still reaches the focused control
}

void TForm_ddv::ShowGame() {
  Ui::TForm_ddv& c = *ui_;
  c.Panel3->setText(QString::number(game_.DartsThrown()));
  c.Panel4->setText(QString::number(Ddv::kDarts - game_.DartsThrown()));
  c.Panel5->setText(QString::number(game_.Hits()));
  c.Panel6->setText(game_.PercentText());
  c.Label4->setText(game_.DdvText());
  const int dart = game_.CurrentDart();
  c.BitBtn4->setEnabled(dart == 1);
  c.BitBtn5->setEnabled(dart == 1);
  c.BitBtn6->setEnabled(dart == 2);
  c.BitBtn7->setEnabled(dart == 2);
  c.BitBtn8->setEnabled(dart == 3);
  c.BitBtn9->setEnabled(dart == 3);
  c.BitBtn1->setEnabled(game_.NewGameOffered());
}

// ---------------------------------------------------------------------------
// Opening and closing

void TForm_ddv::FormShow() {
  game_.Clear();
  ShowGame();
  ui_->Label2->setVisible(false);
  ui_->Label3->setVisible(false);
  ui_->Label4->setVisible(false);
  // A window shown again starts with an empty graph area.
  ui_->PaintBox1->Clear(clBtnFace);
  games::RestFocus(*this);
}

void TForm_ddv::FormClose() {
  game_.Clear();
  ui_->BitBtn1->setEnabled(true);
  ui_->Label1->setVisible(false);
  ui_->Label4->setVisible(false);
  ui_->Label4->clear();
}

// ---------------------------------------------------------------------------
// New game

void TForm_ddv::DrawAxes() {
  ui::TPaintBox& box = *ui_->PaintBox1;
  ui::TCanvas& canvas = box.Canvas();
  canvas.pen.Width = 1;
  // Repainting erases the graph to the window's colour and gives the canvas
  // the paint box's font and colour back.
  box.Clear(clBtnFace);
  canvas.brush.Color = clBtnFace;
  canvas.font = ui::TCanvas::Font{};
  canvas.font.Name = font().family();
  canvas.font.Color = clBlack;
  canvas.font.Size = 7;

  const int axisY = Ddv::kVisitAxisY, axisX = Ddv::kHitAxisX;
  canvas.MoveTo(0, axisY);
  canvas.LineTo(420, axisY);
  canvas.MoveTo(axisX, 420);
  canvas.LineTo(axisX, 0);

  // Ticks and labels; those that would fall outside the paint box are left out.
  for (int i = 1; i <= 420; ++i) {
    const int x = axisX + Ddv::kVisitWidth * i;
    if (x - 5 >= box.width()) break;
    canvas.MoveTo(x, axisY - (i % 10 == 0 ? 5 : 2));
    canvas.LineTo(x, axisY);
    if (i % 10 == 0) canvas.TextOut(x - 5, axisY + 1, QString::number(i));
  }
  const int labelHeight = canvas.TextHeight(QStringLiteral("0"));
  for (int j = 1; j <= 410; ++j) {
    const int y = axisY - Ddv::kHitHeight * j;
    if (y + labelHeight < 0) break;
    canvas.MoveTo(axisX, y);
    canvas.LineTo(axisX + (j % 10 == 0 ? 5 : 2), y);
    if (j % 10 == 0) canvas.TextOut(1, y, QString::number(j));
  }
}

void TForm_ddv::BitBtn1Click() {
  if (!game_.NewGameOffered()) return;
  DrawAxes();
  game_.NewGame(gamekit::DatedNow());
  Ui::TForm_ddv& c = *ui_;
  for (QWidget* label : {c.Label2, c.Label3, c.Label1, c.Label4}) label->setVisible(true);
  ShowGame();
  games::RestFocus(*this);
}

// ---------------------------------------------------------------------------
// Darts

void TForm_ddv::BitBtn4Click() { EnterDart(1, true); }
void TForm_ddv::BitBtn5Click() { EnterDart(1, false); }
void TForm_ddv::BitBtn6Click() { EnterDart(2, true); }
void TForm_ddv::BitBtn7Click() { EnterDart(2, false); }
void TForm_ddv::BitBtn8Click() { EnterDart(3, true); }
void TForm_ddv::BitBtn9Click() { EnterDart(3, false); }

void TForm_ddv::EnterDart(int dart, bool hit) {
  dart_ = dart;
  hit_ = hit;
  BitBtn10Click();
}

void TForm_ddv::BitBtn10Click() {
  const Ddv::Thrown thrown = game_.Dart(dart_, hit_);
  if (!thrown.taken) return;
  ShowGame();
  if (thrown.column) DrawColumn(*thrown.column);
  // The focus leaves the pair just disabled for the window, not for the next
  // button of the Tab chain.
  games::RestFocus(*this);
  if (thrown.gameOver && Form_ddv_raschet) Form_ddv_raschet->ShowFor(game_.DdvText());
}

// ---------------------------------------------------------------------------
// The graph

void TForm_ddv::DrawColumn(const Ddv::Column& column) {
  ui::TCanvas& canvas = ui_->PaintBox1->Canvas();
  const int right = column.x + column.width;
  const int top = column.y - Ddv::kHitHeight * column.hits;
  canvas.MoveTo(column.x, column.y);
  canvas.LineTo(right, top);
  canvas.LineTo(right, Ddv::kVisitAxisY);
  if (column.filled) {
    const ui::TColor colours[] = {clBtnFace, clPurple, clLime, clHighlight};
    canvas.brush.Color = colours[column.hits];
    canvas.FloodFill(column.x + 3, Ddv::kVisitAxisY - 1, clBlack, ui::TCanvas::fsBorder);
  }
  switch (column.label) {
    case Ddv::Column::Label::Tenth:
      GuideLine(right, top, column.x - 20, top - 7);
      break;
    case Ddv::Column::Label::Last:
      GuideLine(right, top, column.x - (column.hits ? 15 : 20), top - 7);
      break;
    case Ddv::Column::Label::None:
      break;
  }
}

void TForm_ddv::GuideLine(int toX, int y, int textX, int textY) {
  ui::TPaintBox& box = *ui_->PaintBox1;
  ui::TCanvas& canvas = box.Canvas();
  canvas.MoveTo(Ddv::kHitAxisX, y);
  canvas.LineTo(toX, y);
  canvas.brush.Color = clBtnFace;
  canvas.font.Color = clRed;
  // Near the top of the graph (198 hits and more) the label is kept inside
  // the paint box, just below its upper edge.
  const QString label = QString::number(game_.Hits());
  textX = std::clamp(textX, 0, std::max(0, box.width() - canvas.TextWidth(label)));
  textY = std::clamp(textY, 0, std::max(0, box.height() - canvas.TextHeight(label)));
  canvas.TextOut(textX, textY, label);
}

// ---------------------------------------------------------------------------
// Leaving: with no game finished since the last file the window closes at
// once; Cancel keeps the game under way and offers a new game from then on.

gamekit::TGameWindow::Played TForm_ddv::WhatWasPlayed() const {
  return game_.UnsavedGame() ? Played::Record : Played::Nothing;
}

void TForm_ddv::BitBtn2Click() {
  game_.LeaveAsked();
  ui_->BitBtn1->setEnabled(true);
  Leave();
}

void TForm_ddv::StayInGame() {
  game_.LeaveAsked();
  ShowGame();
  games::RestFocus(*this);
}

void TForm_ddv::BitBtn3Click() { ExportSheet(); }
