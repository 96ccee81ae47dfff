// The written workbook read back with an independent reader, under a locale
// that writes numbers with a decimal comma.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <clocale>
#include <cstdio>
#include <optional>
#include <string>

#include "automation/NumberText.h"
#include "tests/automation/ExportFixture.h"

namespace {

using automation::VariantArray;

// The C library's locale set to Russian for the whole process while it lives.
class RussianLocale {
 public:
  RussianLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
    active_ = std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr;
  }
  ~RussianLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  bool Active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

std::optional<QJsonObject> ReadBack(const QString& xlsx, QString* error) {
  const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/read_xlsx.py";
  QProcess reader;
  reader.start("/usr/bin/python3", {script, xlsx});
  if (!reader.waitForFinished(60000) || reader.exitCode() != 0) {
    *error = QString::fromUtf8(reader.readAllStandardError());
    return std::nullopt;
  }
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

QJsonArray Side(const char* style, const char* color) { return QJsonArray{style, color}; }

// Texts as a window assigns them, and what a spreadsheet shows of each.
struct Assigned {
  const char* text;
  const char* type;  // "n" number, "s" text
  double number;
  const char* format;  // number format of a number cell
};
const Assigned kAssigned[] = {
    {"9", "n", 9, "0"},   {"-5", "n", -5, "0"},     {"167,00", "n", 167, "0.00"}, {"55,67", "n", 55.67, "0.00"},
    {"0", "n", 0, "0"},   {"0,5", "n", 0.5, "0.0"}, {"05", "s", 0, ""},           {"   ---", "s", 0, ""},
    {"Х(2)", "s", 0, ""}, {"55.67", "s", 0, ""},    {"-0", "s", 0, ""},           {"1 000", "s", 0, ""},
    {"+3", "s", 0, ""},   {"12,", "s", 0, ""},      {"Средн.", "s", 0, ""},       {"1234567890123456", "s", 0, ""},
};
constexpr int kAssignedCount = sizeof(kAssigned) / sizeof(kAssigned[0]);

// The export of a window, through the program's start with its seams.
QString ExportEverything(VariantArray& big) {
  constexpr int xlCenter = automation::xlCenter, xlNone = -4142, xlMedium = -4138;
  auto app = gamekit::StartSpreadsheet();
  if (!app) return {};
  // A 5 x 6 array poured into a 4 x 4 block: the rest is ignored.
  for (int r = 0; r <= 4; ++r)
    for (int c = 0; c <= 5; ++c)
      if ((r + c) % 3 != 2) big.Set(r, c, QString("т%1%2").arg(r).arg(c));
  big.Set(2, 0, "3");  // the top of a merge, read as a number
  VariantArray numbers(kAssignedCount - 1, 0);
  for (int i = 0; i < kAssignedCount; ++i) numbers.Set(i, 0, QString::fromUtf8(kAssigned[i].text));

  app->Workbooks().Add();
  automation::Worksheet sheet = app->WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(4, 4));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5.7109375);
  sheet.GetRange("C1:d1").ColumnWidth(12.5);
  sheet.GetRange("A1:D1").Interior().ColorIndex(6);
  sheet.GetRange("A3:D3").Interior().ColorIndex(3);
  sheet.GetRange("D3:D3").Interior().ColorIndex(xlNone);
  sheet.GetRange("A1:D1").Font().Size(14);
  sheet.GetRange("A1:D1").Font().Bold(true);
  block.HorizontalAlignment(xlCenter);
  block.VerticalAlignment(xlCenter);
  sheet.GetRange("B1:C1").Merge();
  sheet.GetRange("F2:F3").Merge();
  sheet.GetRange("F2").Interior().ColorIndex(32);  // colours the merged pair as a whole
  sheet.GetRange("A3:A4").Merge();
  gamekit::GridBorders(block);
  sheet.GetRange("F5:F5").Borders(4).Weight(xlMedium);
  sheet.GetRange("F5:F5").Borders(4).ColorIndex(3);
  // Black and white of the palette are colours too, not "no colour".
  sheet.GetRange("H1").Interior().ColorIndex(1);
  sheet.GetRange("H1").Borders(4).ColorIndex(1);
  sheet.GetRange("H2").Interior().ColorIndex(2);
  block.Value(big);
  sheet.GetRange("E2:F3").Value(QString("old"));
  sheet.GetRange("E1:F3").Value(OneCell("e"));  // a smaller array empties the rest
  sheet.GetRange(sheet.Cells(1, 10), sheet.Cells(kAssignedCount, 10)).Value(numbers);
  app->Visible(true);
  return app->WrittenFile();
}

TEST_F(ExcelModelTest, WorkbookWrittenUnderARussianLocaleReadsBackAsAsked) {
  const RussianLocale russian;
  ASSERT_TRUE(russian.Active()) << "the ru_RU.UTF-8 locale is missing (scripts/install-deps.sh generates it)";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  ASSERT_STREQ(probe, "0,5");  // the fault this guards against is live
  ui::seams().decimalSeparator = QChar(',');
  ui::seams().spreadsheetProgram = [] { return QStringList{"calc-test"}; };
  ui::seams().startDetached = [](const QString&, const QStringList&) { return true; };
  VariantArray big(4, 5);
  const QString file = ExportEverything(big);
  ASSERT_FALSE(file.isEmpty());
  std::snprintf(probe, sizeof probe, "%g", 0.5);
  EXPECT_STREQ(probe, "0,5");  // the locale is back as it was

  QString error;
  const std::optional<QJsonObject> read = ReadBack(file, &error);
  ASSERT_TRUE(read) << error.toStdString();
  const QJsonObject cells = (*read)["cells"].toObject(), raw = (*read)["raw"].toObject();
  auto cell = [&cells](const QString& name) { return cells[name].toObject(); };
  auto rawFill = [&raw](const char* name) { return raw[name].toObject()["fill"].toString(); };

  for (int i = 0; i < kAssignedCount; ++i) {
    const Assigned& a = kAssigned[i];
    SCOPED_TRACE(a.text);
    const QJsonObject got = cell("J" + QString::number(i + 1));
    EXPECT_EQ(got["type"].toString(), QString(a.type));
    if (QString(a.type) == "n") {
      EXPECT_DOUBLE_EQ(got["value"].toDouble(), a.number);
      EXPECT_EQ(got["format"].toString(), QString(a.format));
    } else {
      EXPECT_EQ(got["value"].toString(), QString::fromUtf8(a.text));
    }
  }

  EXPECT_EQ((*read)["merges"].toArray(), (QJsonArray{"A3:A4", "B1:C1", "F2:F3"}));
  EXPECT_EQ(cell("A3")["type"].toString(), QString("n"));
  EXPECT_EQ(cell("A3")["value"].toDouble(), 3.0);
  // Covered cells take the fill of their merge and keep their own borders.
  EXPECT_EQ(rawFill("F3"), QString("FF0000FF"));
  EXPECT_EQ(rawFill("C1"), QString("FFFFFF00"));
  EXPECT_EQ(rawFill("A4"), QString("FFFF0000"));
  for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(raw["C1"].toObject()[edge], "thin") << edge;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      const QString name = QString(QChar('A' + c)) + QString::number(r + 1);
      SCOPED_TRACE(name.toStdString());
      const QJsonObject got = cell(name);
      if (got["covered"].toBool()) continue;
      if (r != 2 || c != 0) {
        EXPECT_EQ(got["value"].toString(), big.At(r, c).value_or(QString()));
      }
      EXPECT_EQ(got["h"].toString(), QString("center"));
      EXPECT_EQ(got["v"].toString(), QString("center"));
      for (const char* edge : {"left", "right", "top", "bottom"}) EXPECT_EQ(got[edge].toArray(), Side("thin", "auto"));
      EXPECT_EQ(got["bold"].toBool(), r == 0);
      EXPECT_EQ(got["size"].toDouble(), r == 0 ? 14.0 : 11.0);
      EXPECT_EQ(got["fill"].toString(), r == 0 ? "FFFFFF00" : (r == 2 && c < 3) ? "FFFF0000" : "");
    }
  }
  for (const char* outside : {"E4", "A5"}) EXPECT_TRUE(cell(outside)["value"].isNull()) << outside;
  EXPECT_EQ(cell("E1")["value"].toString(), QString("e"));
  for (const char* emptied : {"F1", "E2", "E3"}) EXPECT_TRUE(cell(emptied)["value"].isNull()) << emptied;
  EXPECT_EQ(cell("F5")["bottom"].toArray(), Side("medium", "FFFF0000"));
  EXPECT_TRUE(cell("F5")["top"].isNull());
  EXPECT_EQ(rawFill("H1"), QString("FF000000"));
  EXPECT_EQ(cell("H1")["bottom"].toArray(), Side("thin", "FF000000"));
  EXPECT_EQ(rawFill("H2"), QString("FFFFFFFF"));
  const QJsonObject widths = (*read)["widths"].toObject();
  auto near = [](double stored, double asked) { return stored >= asked && stored < asked + 1; };
  EXPECT_TRUE(near(widths["A"].toDouble(), 5.7109375)) << widths["A"].toDouble();
  EXPECT_TRUE(near(widths["D"].toDouble(), 12.5)) << widths["D"].toDouble();
  EXPECT_FALSE(widths.contains("B"));
}

}  // namespace

namespace {

// The edges of the rule beyond the texts of the exported sheet, under either
// separator.
TEST(NumberText, OnlyPlainNumbersUnderTheSeparatorRead) {
  struct Case {
    const char* text;
    char separator;
    bool number;
    int decimals;
  };
  const Case cases[] = {
      {"55.67", '.', true, 2},
      {"55,67", '.', false, 0},
      {"-0.50", '.', true, 2},
      {"10", '.', true, 0},
      {"", ',', false, 0},
      {"-", ',', false, 0},
      {",5", ',', false, 0},
      {"5,5,5", ',', false, 0},
      {"-05", ',', false, 0},
      {"5 ", ',', false, 0},
      {"1e5", '.', false, 0},
      {"٣", ',', false, 0},
      {"123456789012345", ',', true, 0},
      {"1234567890,123456", ',', false, 0},
      {"1234567890,12345", ',', true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto got = automation::ReadsAsNumber(QString::fromUtf8(c.text), QChar(c.separator));
    ASSERT_EQ(got.has_value(), c.number);
    if (!got) continue;
    EXPECT_EQ(got->decimals, c.decimals);
    QString asC = QString::fromUtf8(c.text);
    EXPECT_EQ(got->value, asC.replace(QChar(c.separator), QChar('.')).toDouble());
  }
}

}  // namespace
