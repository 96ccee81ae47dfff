// The written workbook read back with an independent reader, under a locale
// that writes numbers with a decimal comma.
#include <QJsonArray>
#include <QJsonObject>
#include <QScopeGuard>
#include <clocale>
#include <cstdio>

#include "tests/automation/ExportFixture.h"

namespace {

// Texts as a window assigns them under a decimal comma, and what a spreadsheet
// shows of each: a plain number under the separator becomes a number cell with
// as many decimals as written; a leading zero, blanks, signs, a point or too
// many digits to keep leave it text.
// clang-format off
const struct { const char* text; double value; const char* format; } kNumbers[] = {
    {"9", 9, "0"}, {"-5", -5, "0"}, {"167,00", 167, "0.00"}, {"55,67", 55.67, "0.00"}, {"0,5", 0.5, "0.0"},
    {"123456789012345", 123456789012345, "0"}, {"1234567890,12345", 1234567890.12345, "0.00000"}};
const char* const kTexts[] = {"05", "   ---", "Х(2)", "55.67", "-0", "1 000", "+3", "12,", ",5", "5,5,5", "-05",
                              "1e5", "٣", "Средн.", "1234567890123456", "1234567890,123456"};
// clang-format on
constexpr int kNumberCount = std::size(kNumbers), kAssigned = kNumberCount + std::size(kTexts);

TEST_F(ExcelModelTest, WorkbookWrittenUnderARussianLocaleReadsBackAsAsked) {
  // The C library's locale set to Russian for the whole process, as Qt sets it
  // from the environment of a Russian user.
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const auto restore = qScopeGuard([&previous] { std::setlocale(LC_ALL, previous.c_str()); });
  ASSERT_TRUE(std::setlocale(LC_ALL, "ru_RU.UTF-8")) << "the locale is missing (scripts/install-deps.sh makes it)";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  ASSERT_STREQ(probe, "0,5");  // the fault this guards against is live

  // A window's export through the program's start with its seams: a 5 x 6
  // array poured into a 4 x 4 block (the rest is ignored), merges, fills,
  // fonts, borders and widths, and the texts above in column J.
  ui::seams().decimalSeparator = QChar(',');
  ui::seams().spreadsheetProgram = [] { return QStringList{"calc-test"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
  auto app = gamekit::StartSpreadsheet();
  ASSERT_TRUE(app);
  automation::VariantArray big(4, 5), assigned(kAssigned - 1, 0);
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c)
      if ((r + c) % 3 != 2) big.Set(r, c, QString("т%1%2").arg(r).arg(c));
  big.Set(2, 0, "3");  // the top of a merge, read as a number
  for (int i = 0; i < kAssigned; ++i)
    assigned.Set(i, 0, QString::fromUtf8(i < kNumberCount ? kNumbers[i].text : kTexts[i - kNumberCount]));
  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(4, 4));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5.7109375);
  sheet.GetRange("C1:d1").ColumnWidth(12.5);
  sheet.GetRange("A1:D1").Interior().ColorIndex(6);
  sheet.GetRange("A3:D3").Interior().ColorIndex(3);
  sheet.GetRange("D3:D3").Interior().ColorIndex(automation::xlNone);
  sheet.GetRange("A1:D1").Font().Size(14);
  sheet.GetRange("A1:D1").Font().Bold(true);
  block.HorizontalAlignment(automation::xlCenter);
  block.VerticalAlignment(automation::xlCenter);
  sheet.GetRange("B1:C1").Merge();
  sheet.GetRange("F2:F3").Merge();
  sheet.GetRange("F2").Interior().ColorIndex(32);  // colours the merged pair as a whole
  sheet.GetRange("A3:A4").Merge();
  gamekit::GridBorders(block);
  sheet.GetRange("F5:F5").Borders(4).Weight(automation::xlMedium);
  sheet.GetRange("F5:F5").Borders(4).ColorIndex(3);
  sheet.GetRange("B5:C5").Value(OneCell("л"));  // before what the row holds
  sheet.GetRange("H1").Interior().ColorIndex(1);  // black and white are colours too, not "no colour"
  sheet.GetRange("H1").Borders(4).ColorIndex(1);
  sheet.GetRange("H2").Interior().ColorIndex(2);
  block.Value(big);
  sheet.GetRange("E2:F3").Value(OneCell("old"));
  sheet.GetRange("E1:F3").Value(OneCell("e"));  // a smaller array empties the rest
  sheet.GetRange(sheet.Cells(1, 10), sheet.Cells(kAssigned, 10)).Value(assigned);
  sheet.PageSetup().Orientation(automation::xlLandscape);
  sheet.PageSetup().Zoom(80);
  app->Visible(true);
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  EXPECT_STREQ(probe, "0,5");  // the locale is back as it was

  const QJsonObject book = testing_support::ReadWorkbook(app->WrittenFile());
  ASSERT_FALSE(book.isEmpty());
  const QJsonObject cells = book["cells"].toObject(), raw = book["raw"].toObject();
  auto cell = [&cells](const QString& name) { return cells[name].toObject(); };
  for (int i = 0; i < kAssigned; ++i) {
    const QJsonObject got = cell("J" + QString::number(i + 1));
    if (i < kNumberCount) {
      EXPECT_EQ(got["type"].toString() + got["format"].toString(), QString("n") + kNumbers[i].format) << i;
      EXPECT_DOUBLE_EQ(got["value"].toDouble(), kNumbers[i].value) << i;
    } else {
      EXPECT_EQ(got["type"].toString() + got["value"].toString(), "s" + QString::fromUtf8(kTexts[i - kNumberCount]));
    }
  }
  EXPECT_EQ(book["merges"].toArray(), (QJsonArray{"A3:A4", "B1:C1", "F2:F3"}));
  EXPECT_EQ(cell("A3")["type"].toString(), "n");
  // Covered cells take the fill of their merge and keep their own borders.
  for (const auto& [name, fill] :
       {std::pair{"F3", "FF0000FF"}, {"C1", "FFFFFF00"}, {"A4", "FFFF0000"}, {"H1", "FF000000"}, {"H2", "FFFFFFFF"}})
    EXPECT_EQ(raw[name].toObject()["fill"].toString(), fill) << name;
  for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(raw["C1"].toObject()[edge], "thin") << edge;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const QString name = QString(QChar('A' + c)) + QString::number(r + 1);
      SCOPED_TRACE(name.toStdString());
      const QJsonObject got = cell(name);
      if (got["covered"].toBool()) continue;
      EXPECT_EQ(got["value"].toVariant().toString(), big.At(r, c).value_or(QString()));
      EXPECT_EQ(got["bold"].toBool(), r == 0);
      EXPECT_EQ(got["size"].toDouble(), r == 0 ? 14 : 11);
      EXPECT_EQ(got["h"].toString() + got["v"].toString(), "centercenter");
      for (const char* edge : {"left", "right", "top", "bottom"})
        EXPECT_EQ(got[edge].toArray(), QJsonArray({"thin", "auto"}));
      EXPECT_EQ(got["fill"].toString(), QString(r == 0 ? "FFFFFF00" : (r == 2 && c < 3) ? "FFFF0000" : ""));
    }
  }
  for (const char* empty : {"E4", "A5", "F1", "E2", "E3"}) EXPECT_TRUE(cell(empty)["value"].isNull()) << empty;
  EXPECT_EQ(cell("E1")["value"].toString() + cell("B5")["value"].toString(), QString("eл"));
  EXPECT_EQ(cell("F5")["bottom"].toArray(), (QJsonArray{"medium", "FFFF0000"}));
  EXPECT_TRUE(cell("F5")["top"].isNull());
  EXPECT_EQ(cell("H1")["bottom"].toArray(), (QJsonArray{"thin", "FF000000"}));
  for (const auto& [column, asked] : {std::pair{"A", 5.7109375}, {"D", 12.5}})  // and less than a character more
    EXPECT_NEAR(book["widths"][column].toDouble(), asked + 0.5, 0.5) << column;
  EXPECT_FALSE(book["widths"].toObject().contains("B"));
  EXPECT_EQ(book["page"].toObject(), (QJsonObject{{"orientation", "landscape"}, {"scale", 80}, {"fit", QJsonValue()}}));
}

}  // namespace
