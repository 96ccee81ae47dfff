#include "app/Kalvern.h"

#include <array>

#include "darts/KalvernTable.h"
#include "ui/Controls.h"
#include "ui_Kalvern.h"

TForm_kv* Form_kv = nullptr;

namespace {

constexpr ui::TColor kWhite = 0xFFFFFF;
constexpr ui::TColor kBlack = 0x000000;
constexpr ui::TColor kSkyBlue = 0xF0CAA6;
constexpr ui::TColor kTeal = 0x808000;

bool IsSeparator(int col) { return col == 2 || col == 5 || col == 8; }
bool IsBand(int row) { return row == 0 || row == 10 || row == 20; }

// Where the band rows' texts are written again, in the grid's coordinates.
constexpr std::array<int, 3> kBandRows = {0, 10, 20};
constexpr std::array<int, 3> kBandY = {0, 159, 319};
constexpr std::array<int, 8> kBandCols = {0, 1, 3, 4, 6, 7, 9, 10};
constexpr std::array<int, 8> kBandX = {0, 50, 166, 216, 339, 389, 512, 558};
constexpr int kGlyphMargin = 3;

}  // namespace

TForm_kv::TForm_kv(QWidget* parent) : ui::TForm(parent) {}
TForm_kv::~TForm_kv() = default;

Ui::TForm_kv& TForm_kv::Controls() {
  EnsureForm();
  return *ui_;
}

void TForm_kv::BuildForm() {
  Q_INIT_RESOURCE(kalvern);
  ui_ = std::make_unique<Ui::TForm_kv>();
  Ui::TForm_kv& c = *ui_;
  c.setupUi(this);
  QFont header = c.Panel1->font();
  header.setPixelSize(13);
  c.Panel1->setFont(header);
  QFont button = c.BitBtn1->font();
  button.setPixelSize(19);
  c.BitBtn1->setFont(button);
  c.StringGrid1->OnDrawCell = [this](int col, int row, const QRect& rect) { StringGrid1DrawCell(col, row, rect); };
  keys_.Add(ui::VK_F10, {c.BitBtn1});
  InitForm();
}

void TForm_kv::FormShow() {
  Ui::TForm_kv& c = *ui_;
  for (int col = 0; col < rules::kKalvernCols; ++col) {
    if (IsSeparator(col)) continue;
    for (int row = 0; row < rules::kKalvernRows; ++row) {
      c.StringGrid1->SetCell(col, row, rules::KalvernCellText(col, row));
    }
  }
  bands_.clear();
  c.BitBtn1->setFocus();
}

void TForm_kv::BitBtn1Click() { Close(); }

void TForm_kv::FormKeyDown(int& key, Qt::KeyboardModifiers shift) {
  (void)shift;
  // The key goes on to the focused control as well.
  keys_.Handle(key);
}

void TForm_kv::StringGrid1DrawCell(int ACol, int ARow, const QRect& Rect) {
  ui::TStringGrid& grid = *ui_->StringGrid1;
  ui::TCanvas& canvas = grid.Canvas();
  canvas.brush.Color = kWhite;
  canvas.font.Color = kBlack;
  canvas.font.Name = QStringLiteral("Arial");
  canvas.font.Bold = true;
  canvas.font.Height = 0;
  canvas.font.Size = 10;
  canvas.TextRect(Rect, Rect.left(), Rect.top(), grid.Cells(ACol, ARow));

  canvas.brush.Color = kSkyBlue;
  if (IsSeparator(ACol)) canvas.FillRect(Rect);

  canvas.brush.Color = kTeal;
  if (IsBand(ARow)) canvas.FillRect(Rect);

  if (bands_.empty()) {
    for (size_t b = 0; b < kBandRows.size(); ++b) {
      for (size_t c = 0; c < kBandCols.size(); ++c) {
        const QString text = grid.Cells(kBandCols[c], kBandRows[b]);
        if (text.isEmpty()) continue;
        bands_.push_back({QRect(kBandX[c], kBandY[b], canvas.TextWidth(text), canvas.TextHeight(text)), text});
      }
    }
  }
  // The band rows' texts are written again, white on the teal brush, over
  // every cell they reach: a band cell's own text was covered by the teal fill
  // above, and a text reaching into a neighbour was covered by its fill. A
  // margin takes in the glyphs' edges.
  canvas.font.Color = kWhite;
  for (const BandText& band : bands_) {
    if (band.box.adjusted(-kGlyphMargin, -kGlyphMargin, kGlyphMargin, kGlyphMargin).intersects(Rect))
      canvas.TextOut(band.box.left(), band.box.top(), band.text);
  }
}
