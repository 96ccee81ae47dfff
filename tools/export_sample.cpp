// Runs two sample exports through the automation layer and hands the workbooks
// to the spreadsheet program found as usual (VANTREL_SPREADSHEET, LibreOffice
// Calc, xdg-open): a score sheet with a coloured heading and totals row and a
// full grid, and a table with merged, coloured and centred cells in a bold font.
// With "--tournament" it writes every tournament sheet instead (round robin 4,
// 6, 8; brackets 8, 16, 32, 64), each printed on one page.
//
//   VANTREL_SPREADSHEET="cp -t /tmp/out" export_sample [--tournament]
#include <QApplication>
#include <cstdio>

#include "automation/Excel.h"
#include "darts/TournamentRules.h"
#include "gamekit/GameConventions.h"
#include "tournament/TournamentSheets.h"
#include "ui/Dialogs.h"

namespace {

void ScoreSheet() {
  auto excel = gamekit::StartSpreadsheet();
  if (!excel) return;
  const QStringList headings{"Лег",          "Кол-во дротиков", "На 1 дротик", "Средний набор",
                             "Закрыл число", "Каким дротиком",  "60 +",        "80 +",
                             "100 +",        "140 +",           "180"};
  const int legs = 3, lastRow = legs + 2;
  automation::VariantArray data(lastRow, 11);
  for (int c = 0; c < 11; ++c) data.Set(0, c, headings[c]);
  data.Set(1, 1, "Средн.");
  data.Set(1, 2, "19,55");
  data.Set(1, 3, "58,64");
  data.Set(1, 5, "Сумма");
  for (int leg = 1; leg <= legs; ++leg) {
    data.Set(leg + 1, 0, QString::number(leg));
    data.Set(leg + 1, 1, QString::number(24 + leg));
    data.Set(leg + 1, 2, "0.00");
    data.Set(leg + 1, 4, QString::number(30 + leg * 2));
    data.Set(leg + 1, 5, QString::number(leg));
  }
  excel->Workbooks().Add();
  automation::Worksheet sheet = excel->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(lastRow, 11));
  const double widths[11] = {5, 17, 12, 14, 13, 17, 5, 5, 5, 5, 5};
  for (int c = 1; c <= 11; ++c) sheet.GetRange(sheet.Cells(1, c), sheet.Cells(1, c)).ColumnWidth(widths[c - 1]);
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 11)).Interior().ColorIndex(35);
  sheet.GetRange(sheet.Cells(2, 1), sheet.Cells(2, 11)).Interior().ColorIndex(33);
  gamekit::GridBorders(block);
  block.Value(data);
  if (gamekit::ShowSpreadsheet(*excel)) std::printf("%s\n", qPrintable(excel->WrittenFile()));
}

void MergedTable() {
  auto excel = gamekit::StartSpreadsheet();
  if (!excel) return;
  const int rows = 9, cols = 8;
  automation::VariantArray data(rows, cols);
  data.Set(0, 0, "№");
  data.Set(0, 1, "Участник");
  for (int k = 1; k <= 4; ++k) {
    data.Set(0, k + 1, QString::number(k));
    data.Set(2 * k - 1, 0, QString::number(k));
  }
  data.Set(0, 6, "Очки");
  data.Set(0, 7, "Место");
  excel->Workbooks().Add();
  automation::Worksheet sheet = excel->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(rows, cols));
  const double widths[cols] = {4, 25, 7, 7, 7, 7, 8, 8};
  for (int c = 1; c <= cols; ++c) sheet.GetRange(sheet.Cells(1, c), sheet.Cells(1, c)).ColumnWidth(widths[c - 1]);
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, cols)).Interior().ColorIndex(35);
  for (int k = 1; k <= 4; ++k) {
    const QString r1 = QString::number(2 * k), r2 = QString::number(2 * k + 1);
    sheet.GetRange("A" + r1 + ":a" + r2).Merge();
    sheet.GetRange("B" + r1 + ":B" + r2).Merge();
    const QChar diag('B' + k);
    sheet.GetRange(diag + r1 + ":" + diag + r2).Merge();
    sheet.GetRange(sheet.Cells(2 * k, k + 2), sheet.Cells(2 * k, k + 2)).Interior().ColorIndex(32);
  }
  block.Font().Size(12);
  block.Font().Bold(true);
  block.HorizontalAlignment(automation::xlCenter);
  block.VerticalAlignment(automation::xlCenter);
  gamekit::GridBorders(block);
  block.Value(data);
  if (gamekit::ShowSpreadsheet(*excel)) std::printf("%s\n", qPrintable(excel->WrittenFile()));
}

void TournamentSheets() {
  for (int n : {4, 6, 8}) {
    auto excel = gamekit::StartSpreadsheet();
    if (excel && tournament::WriteRoundRobinSheet(*excel, n))
      std::printf("round-robin %d %s\n", n, qPrintable(excel->WrittenFile()));
  }
  for (int s : {8, 16, 32, 64}) {
    auto excel = gamekit::StartSpreadsheet();
    if (excel && tournament::WriteBracketSheet(*excel, s, darts::BracketSheetColumns(s)))
      std::printf("bracket %d %s\n", s, qPrintable(excel->WrittenFile()));
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc > 1 && QByteArray(argv[1]) == "--tournament") {
    ui::RunHandler(TournamentSheets);
    return 0;
  }
  ui::RunHandler(ScoreSheet);
  ui::RunHandler(MergedTable);
  return 0;
}
