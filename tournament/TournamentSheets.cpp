#include "tournament/TournamentSheets.h"

#include <vector>

#include "automation/Excel.h"
#include "darts/TournamentRules.h"
#include "gamekit/GameConventions.h"

namespace tournament {

namespace {

// Colour indexes of the round-robin table: the header row and number column,
// the round row, and each participant's own result cell.
constexpr int kHeaderColour = 35;
constexpr int kRoundRowColour = 36;
constexpr int kOwnCellColour = 32;

constexpr double kRoundRobinFontSize = 12;
constexpr double kBracketFontSize = 16;

// Edges of a cell as the automation interface numbers them.
constexpr int kRightEdge = 2;
constexpr int kTopEdge = 3;

QString Num(int n) { return QString::number(n); }

QString Span(int row1, int col1, int row2, int col2) {
  return ColumnLetters(col1) + Num(row1) + QChar(':') + ColumnLetters(col2) + Num(row2);
}

// The rows below the participants (counted from 1).
struct RoundRobinLayout {
  explicit RoundRobinLayout(int n)
      : n(n),
        cols(n + 4),
        roundRow(2 * n + 2),
        firstPairingRow(2 * n + 3),
        spacerRow(2 * n + 3 + n / 2),
        groupRow(spacerRow + 1),
        spacer2Row(spacerRow + 2),
        leaderRow(spacerRow + 3) {}
  int n, cols, roundRow, firstPairingRow, spacerRow, groupRow, spacer2Row, leaderRow;
};

// Column widths from column firstCol on, each set through the column's cell in row 1.
void ColumnWidths(automation::Worksheet& sheet, int firstCol, const std::vector<double>& widths) {
  for (double w : widths) {
    sheet.GetRange(sheet.Cells(1, firstCol), sheet.Cells(1, firstCol)).ColumnWidth(w);
    ++firstCol;
  }
}

void FillColour(automation::Worksheet& sheet, int row1, int col1, int row2, int col2, int colorIndex) {
  sheet.GetRange(sheet.Cells(row1, col1), sheet.Cells(row2, col2)).Interior().ColorIndex(colorIndex);
}

void Merge(automation::Worksheet& sheet, const QStringList& ranges) {
  for (const QString& a1 : ranges) sheet.GetRange(a1).Merge();
}

// A thin line along one edge of a single cell.
void CellEdge(automation::Worksheet& sheet, int row, int col, int edge) {
  automation::Border border = sheet.GetRange(sheet.Cells(row, col), sheet.Cells(row, col)).Borders(edge);
  border.LineStyle(1);
  border.Weight(2);
  border.ColorIndex(0);
}

void CentredBold(automation::Range& block, double size) {
  automation::Font font = block.Font();
  font.Size(size);
  font.Bold(true);
  block.HorizontalAlignment(automation::xlCenter);
  block.VerticalAlignment(automation::xlCenter);
}

// Each sheet is printed on one page, turned by its shape.
void OnePage(automation::Worksheet& sheet, bool landscape) {
  automation::PageSetup page = sheet.PageSetup();
  page.Orientation(landscape ? automation::xlLandscape : automation::xlPortrait);
  page.Zoom(false);
  page.FitToPagesWide(1);
  page.FitToPagesTall(1);
}

}  // namespace

bool WiderThanTall(const std::vector<double>& widths, int rows, double fontSize) {
  // A column of w characters takes w * 7 + 5 pixels of the default font; a
  // row of a bold font of s points about 1.3 s points.
  double width = 0;
  for (double w : widths) width += (w * 7 + 5) * 0.75;
  return width > rows * fontSize * 1.3;
}

QString ColumnLetters(int col) {
  QString name;
  while (col > 0) {
    name.prepend(QChar('A' + (col - 1) % 26));
    col = (col - 1) / 26;
  }
  return name;
}

int RoundRobinRows(int n) { return 2 * n + 6 + n / 2; }
int RoundRobinColumns(int n) { return n + 4; }

QStringList ParticipantMerges(int n) {
  QStringList out;
  for (int k = 1; k <= n; ++k) {
    for (int col : {1, 2, k + 2}) out << Span(2 * k, col, 2 * k + 1, col);
  }
  const int place = RoundRobinColumns(n);
  for (int k = 1; k <= n; ++k) out << Span(2 * k, place, 2 * k + 1, place);
  // The six-participant table has always carried its first place merge in
  // this spelling; the spreadsheet reads addresses without regard to case.
  if (n == 6) out[3 * n] = QStringLiteral("J2:j3");
  return out;
}

QStringList FooterMerges(int n) {
  const RoundRobinLayout l(n);
  QStringList out{Span(l.spacerRow, 1, l.spacerRow, l.cols), Span(l.spacer2Row, 1, l.spacer2Row, l.cols),
                  Span(l.groupRow, 1, l.groupRow, 2), Span(l.groupRow, 3, l.groupRow, 4),
                  Span(l.groupRow, 6, l.groupRow, 7)};
  // Column H of the group line stands alone when it is the last column.
  if (l.cols > 8) out << Span(l.groupRow, 8, l.groupRow, l.cols);
  out << Span(l.leaderRow, 1, l.leaderRow, 2) << Span(l.leaderRow, 3, l.leaderRow, 5)
      << Span(l.leaderRow, 6, l.leaderRow, l.cols);
  return out;
}

bool WriteRoundRobinSheet(automation::Application& excel, int n) {
  const RoundRobinLayout l(n);
  const int rows = RoundRobinRows(n);

  // Two spare rows below the table; only the table's block reaches the sheet.
  automation::VariantArray data(rows + 2, l.cols);
  data.Set(0, 0, QStringLiteral("№"));
  data.Set(0, 1, QStringLiteral("Участник"));
  for (int k = 1; k <= n; ++k) data.Set(0, k + 1, Num(k));
  data.Set(0, n + 2, QStringLiteral("Очки"));
  data.Set(0, n + 3, QStringLiteral("Место"));
  for (int k = 1; k <= n; ++k) data.Set(2 * k - 1, 0, Num(k));

  excel.Workbooks().Add();
  automation::Worksheet sheet = excel.WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(rows, l.cols));

  std::vector<double> widths{4, 25};
  widths.insert(widths.end(), n, 7);
  widths.insert(widths.end(), {8, 8});
  ColumnWidths(sheet, 1, widths);

  FillColour(sheet, 1, 1, 1, l.cols, kHeaderColour);
  FillColour(sheet, 1, 1, 2 * n + 1, 1, kHeaderColour);
  FillColour(sheet, l.roundRow, 1, l.roundRow, l.cols, kRoundRowColour);

  Merge(sheet, ParticipantMerges(n));

  data.Set(l.roundRow - 1, 1, QStringLiteral("Тур"));
  const auto rounds = darts::RoundRobinRounds(n);
  for (int k = 1; k <= n - 1; ++k) {
    data.Set(l.roundRow - 1, k + 1, Num(k));
    const auto& round = rounds[k - 1];
    for (int i = 0; i < static_cast<int>(round.size()); ++i)
      data.Set(l.firstPairingRow - 1 + i, k + 1, darts::PairingText(round[i]));
  }

  Merge(sheet, FooterMerges(n));

  data.Set(l.groupRow - 1, 2, QStringLiteral("Группа"));
  data.Set(l.groupRow - 1, 5, QStringLiteral("Мишень №"));
  data.Set(l.leaderRow - 1, 2, QStringLiteral("Старший группы"));

  for (int k = 1; k <= n; ++k) FillColour(sheet, 2 * k, k + 2, 2 * k, k + 2, kOwnCellColour);

  CentredBold(block, kRoundRobinFontSize);
  gamekit::GridBorders(block);
  OnePage(sheet, WiderThanTall(widths, rows, kRoundRobinFontSize));

  block.Value(data);
  return gamekit::ShowSpreadsheet(excel);
}

bool WriteBracketSheet(automation::Application& excel, int s, int columns) {
  const int rows = darts::BracketSheetRows(s);
  const int rounds = columns - 2;  // the columns of the seeds and the winner aside

  automation::VariantArray data(rows, columns);

  excel.Workbooks().Add();
  automation::Worksheet sheet = excel.WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(rows, columns));

  // One column wider than the sheet uses, so a winner's name has room.
  std::vector<double> widths{4};
  widths.insert(widths.end(), columns, 25);
  ColumnWidths(sheet, 1, widths);

  for (int r = 1; r <= rounds + 1; ++r)
    for (int row : darts::SlotLineRows(s, r)) CellEdge(sheet, row, r + 1, kTopEdge);
  for (int r = 1; r <= rounds; ++r)
    for (int row : darts::ConnectorRows(s, r)) CellEdge(sheet, row, r + 1, kRightEdge);

  for (int r = 1; r <= rounds + 1; ++r) data.Set(0, r, darts::RoundTitle(s, r));
  const std::vector<int> seeds = darts::SeedOrder(s);
  std::vector<int> slotOf(s + 1);
  for (int slot = 1; slot <= s; ++slot) slotOf[seeds[slot - 1]] = slot;
  for (int seed = 1; seed <= s / 2; ++seed) {
    for (int placed : {seed, s + 1 - seed}) data.Set(darts::SlotRow(slotOf[placed]) - 1, 0, Num(placed));
  }

  CentredBold(block, kBracketFontSize);
  // The extra width column holds nothing and is not printed.
  OnePage(sheet, WiderThanTall({widths.begin(), widths.begin() + columns}, rows, kBracketFontSize));

  block.Value(data);
  return gamekit::ShowSpreadsheet(excel);
}

}  // namespace tournament
