// The sector practice window played from the keyboard: sector choice, ten
// visits, summary table, file and export.
#include <QAbstractItemView>

#include "games/sector.h"
#include "tests/games/GamesTestSupport.h"

namespace {

const QString kNotInSector = "Внимание!!! Недопустимое значение для данного сектора.";
constexpr int kBull = 20;  // list items: 0 is "    20" ... 19 is "      1", 20 "  Булл"

class SectorWindowTest : public games_test::WindowTest<TFormsector> {
 protected:
  SectorWindowTest() : WindowTest(Formsector, "10") {}
  // Picks the item as a user does (opening the window first), accepts it with
  // F4 and enters the visits.
  void Series(int item, const QList<int>& visits) {
    if (!f->isVisible()) f->ShowModal();
    c->ComboBox1->setCurrentIndex(item);
    emit c->ComboBox1->activated(item);
    Key(Qt::Key_F4);
    for (int v : visits) Type(c->MaskEdit1, QString::number(v));
  }
};

TEST_F(SectorWindowTest, FocusFollowsTheSeries) {
  f->ShowModal();
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  c->ComboBox1->showPopup();
  QTest::keyClick(c->ComboBox1->view(), Qt::Key_F4);  // the open list has the keyboard
  EXPECT_EQ(msg->Texts(), QStringList{"Выберите сектор и нажмите Ok !"});
  c->ComboBox1->hidePopup();
  QApplication::processEvents();
  c->BitBtn1->setFocus();
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(f->focusWidget(), c->ComboBox1);
  Series(3, {});
  EXPECT_EQ(Row(c->StringGrid1, 0, 4), QStringList({"", "", "Сектор", "17"}));
  Type(c->MaskEdit1, "2 0");  // digits split by a blank: the conversion error, nothing counted
  QTest::keyClicks(c->MaskEdit1, "1");
  msg->Clear();
  Paste(c->MaskEdit1, "-5");  // refused whole, as an empty entry is
  EXPECT_EQ(msg->Texts(), QStringList{"Внимание!!! Недопустимое значение."});
  EXPECT_EQ(c->Panel1->text() + c->Panel2->text() + c->MaskEdit1->Text(), "10   ");
  EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
}

TEST_F(SectorWindowTest, VisitsCheckedAgainstTheSector) {
  const struct {
    int item;
    const char* typed;
    QString message;  // empty: accepted
  } cases[] = {{0, "180", ""},
               {0, "190", kNotInSector},
               {0, "7", kNotInSector},
               {kBull, "150", ""},
               {kBull, "175", kNotInSector},
               {kBull, "60", kNotInSector},
               {7, "", "Внимание!!! Недопустимое значение."}};
  for (const auto& k : cases) {
    SCOPED_TRACE(QString("item %1 typed '%2'").arg(k.item).arg(k.typed).toStdString());
    if (f->isVisible()) Key(Qt::Key_F10);
    Series(k.item, {});
    msg->Clear();
    Type(c->MaskEdit1, k.typed);
    EXPECT_EQ(msg->Texts(), k.message.isEmpty() ? QStringList{} : QStringList{k.message});
    EXPECT_EQ(c->Panel1->text() + "|" + c->StringGrid1->Cell(2, 1),
              k.message.isEmpty() ? "2|" + QString(k.typed) : "1|");
    EXPECT_TRUE(f->focusWidget() == c->MaskEdit1 && c->MaskEdit1->Text() == "   ");
  }
}

// Leaving with no finished series closes at once; Cancel writes the summary
// file and the series under way goes on; Yes exports the summary.
TEST_F(SectorWindowTest, TenVisitsMakeASummaryRowWrittenAndExportedOnLeaving) {
  Series(0, {60});
  Key(Qt::Key_F10);
  EXPECT_TRUE(msg->Log().empty() && Files().isEmpty() && !f->isVisible());
  clock->Set(QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7)));
  Series(0, QList<int>(10, 60));
  EXPECT_EQ(Row(c->StringGrid1, 10, 5) << c->Panel1->text(), QStringList({"10", "60", "600", "20,00", "60,00", ""}));
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  Series(kBull, {25, 50, 0, 150, 75, 100, 125, 25, 50, 75});
  Series(2, {54});
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  Type(c->MaskEdit1, "18");
  EXPECT_EQ(c->Panel1->text() + " " + c->Panel2->text(), "3 72");
  EXPECT_EQ(FileData("20261205_090507_10.csv"),
            games_test::FileBytes({"2026.12.05 - 09:05:07:05", "Сектор;Сумма;Средний на 1 дротик;Средний набор;",
                                   "20;600;20,00;60,00;", "BULL;675;22,50;67,50;", ";;;;"}));
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_EQ(Cells({"A1", "D1", "E1", "A2", "B2", "A3", "C3", "D3", "A4"}),
            QStringList({"Сектор|FFCCFFCC|b", "Средний набор|FFCCFFCC|b", "|", "20||b", "600||b", "BULL||b", "22.5||b",
                         "67.5||b", "|"}));
  EXPECT_EQ(widths["C"].toDouble() - widths["A"].toDouble(), 12);
  f->ShowModal();  // leaving cleared both sheets
  EXPECT_EQ(c->StringGrid2->Cell(0, 0) + c->StringGrid1->Cell(3, 0), "");
}

}  // namespace
