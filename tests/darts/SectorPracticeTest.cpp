// The sector practice played visit by visit: what a sector takes, the series
// of ten, the summary and the file made of it.
#include <gtest/gtest.h>

#include "darts/SectorPractice.h"
#include "darts/SectorVisits.h"

namespace {

using darts::SectorPractice;
using V = SectorPractice::Visited;
constexpr int kBull = darts::kBullSector;

QString Point(float v) { return QString::number(v, 'f', 2); }

V Series(SectorPractice& g, int sector, const QStringList& typed) {
  g.ChooseSector(sector);
  V last = V::Ignored;
  for (const QString& t : typed) last = g.Visit(t);
  return last;
}

QString SheetRow(const SectorPractice& g, int row) {
  QStringList out;
  for (int c = 0; c < SectorPractice::kSheetCols; ++c) out << g.SheetCell(c, row);
  return out.join(';');
}

TEST(SectorPractice, AVisitIsCheckedAgainstTheSector) {
  const struct {
    int sector;
    const char* typed;
    V result;
  } cases[] = {{20, "180", V::Next},    {20, "190", V::NotInSector},    {20, "7  ", V::NotInSector},
               {1, "9  ", V::Next},     {1, "10 ", V::NotInSector},     {19, "171", V::Next},
               {kBull, "150", V::Next}, {kBull, "60 ", V::NotInSector}, {kBull, " 0 ", V::Next},
               {5, "   ", V::Empty},    {5, "2 0", V::NotANumber},      {5, "05 ", V::Next}};
  SectorPractice g(Point);
  for (const auto& t : cases) {
    EXPECT_EQ(Series(g, t.sector, {t.typed}), t.result) << t.sector << " '" << t.typed << "'";
    EXPECT_EQ(g.VisitText(), t.result == V::Next ? "2" : "1") << t.sector << " '" << t.typed << "'";
  }
  EXPECT_EQ(g.SectorSum(), 5);  // the last: "05" counts 5 here
}

// The tenth visit ends the series; the sheet keeps it until the next sector;
// the file holds the finished series and an empty row, not the series in play.
TEST(SectorPractice, SeriesSummaryAndFile) {
  SectorPractice g(Point);
  EXPECT_EQ(g.Visit("60"), V::Ignored);
  EXPECT_EQ(Series(g, 20, QStringList(10, "60")), V::SeriesDone);
  EXPECT_TRUE(!g.Running() && g.Visit("60") == V::Ignored && g.VisitText().isEmpty());
  EXPECT_EQ(SheetRow(g, 0) + "|" + SheetRow(g, 10), ";;Сектор;20;|10;60;600;20.00;60.00");
  Series(g, kBull, {"25", "50", "0", "150", "75", "100", "125", "25", "50", "75"});
  Series(g, 18, {"54"});
  EXPECT_EQ(g.FileLines("2026.12.05 - 09:05:07:05"),
            QStringList({"2026.12.05 - 09:05:07:05", "Сектор;Сумма;Средний на 1 дротик;Средний набор;",
                         "20;600;20.00;60.00;", "BULL;675;22.50;67.50;", ";;;;"}));
  const darts::SheetBlock sheet = g.Sheet();
  EXPECT_EQ(QList<int>({sheet.LastRow(), sheet.LastCol(), sheet.HighRow(), sheet.HighCol()}), QList<int>({3, 4, 3, 4}));
  EXPECT_TRUE(sheet.At(2, 0) == "BULL" && sheet.At(2, 4) == "" && !sheet.At(0, 4) && !sheet.At(3, 0));
  g.Clear();
  EXPECT_TRUE(g.SummaryRow() == 0 && SheetRow(g, 0) == ";;;;" && g.VisitText() == "1" && g.SectorSum() == 0);
}

}  // namespace
