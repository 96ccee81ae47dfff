// The sector practice window played from the keyboard: sector choice, ten
// visits, summary table, file and export.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QJsonArray>

#include "games/sector.h"
#include "tests/games/GamesTestSupport.h"

namespace {

using games_test::FileBytes;

const QString kEmpty = "Внимание!!! Недопустимое значение.";
const QString kNotInSector = "Внимание!!! Недопустимое значение для данного сектора.";
constexpr int kBullItem = 20;

class SectorWindowTest : public games_test::WindowTest<TFormsector> {
 protected:
  SectorWindowTest() : WindowTest(Formsector, "10") {}
  // Opens the window if needed, picks the item as a user does, accepts it with F4.
  void Choose(int item) {
    if (!f->isVisible()) f->ShowModal();
    c->ComboBox1->setCurrentIndex(item);
    emit c->ComboBox1->activated(item);
    Key(Qt::Key_F4);
  }
  void Enter(const QString& text) { Type(c->MaskEdit1, text); }
  void Series(int item, int score) {
    Choose(item);
    for (int i = 0; i < 10; ++i) Enter(QString::number(score));
  }
};

TEST_F(SectorWindowTest, FocusAtOpeningAndAfterChoosing) {
  f->ShowModal();
  EXPECT_FALSE(f->HasCloseCommand());
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(f->focusWidget(), c->ComboBox1);
  c->ComboBox1->setCurrentIndex(3);
  emit c->ComboBox1->activated(3);
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  QTest::keyClick(c->BitBtn1, Qt::Key_Return);  // the focused button answers Enter
  EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
  EXPECT_EQ(Row(c->StringGrid1, 0, 4), QStringList({"", "", "Сектор", "17"}));
  EXPECT_FALSE(c->ComboBox1->isEnabled());
  EXPECT_FALSE(c->BitBtn1->isEnabled());
}

TEST_F(SectorWindowTest, OpenListAsksToChooseFirst) {
  f->ShowModal();
  c->ComboBox1->showPopup();
  ASSERT_TRUE(c->ComboBox1->view()->isVisible());
  c->BitBtn1->click();
  EXPECT_EQ(msg->Texts(), QStringList{"Выберите сектор и нажмите Ok !"});
  EXPECT_FALSE(c->MaskEdit1->isEnabled());
  c->ComboBox1->hidePopup();
}

TEST_F(SectorWindowTest, VisitsCheckedAgainstTheSector) {
  struct Case {
    int item;  // 0 is 20, 19 is 1, 20 the Bull
    const char* typed;
    const QString* message;  // null: accepted
  };
  const Case cases[] = {
      {0, "180", nullptr},         {0, "190", &kNotInSector},        {19, "10", &kNotInSector},
      {kBullItem, "150", nullptr}, {kBullItem, "60", &kNotInSector}, {7, "", &kEmpty},
  };

  for (const Case& k : cases) {
    SCOPED_TRACE(QString("item %1 typed '%2'").arg(k.item).arg(k.typed).toStdString());
    if (f->isVisible()) Key(Qt::Key_F10);
    Choose(k.item);
    msg->Clear();
    Enter(k.typed);
    EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
    EXPECT_EQ(c->MaskEdit1->Text(), "   ");
    if (k.message) {
      EXPECT_EQ(msg->Texts(), QStringList{*k.message});
      EXPECT_EQ(c->Panel1->text(), "1");
      EXPECT_EQ(c->StringGrid1->Cell(0, 1), "");
    } else {
      EXPECT_TRUE(msg->Log().empty());
      EXPECT_EQ(c->Panel1->text(), "2");
      EXPECT_EQ(Row(c->StringGrid1, 1, 3), QStringList({"1", k.typed, k.typed}));
    }
  }
}

TEST_F(SectorWindowTest, DigitsSplitByABlankAreNotCounted) {
  Choose(0);
  msg->Clear();
  Enter("2 0");
  ASSERT_EQ(msg->Log().size(), 1u);
  EXPECT_EQ(msg->Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_EQ(c->Panel1->text(), "1");
  EXPECT_EQ(f->SectorSum, 0);
  EXPECT_EQ(f->focusWidget(), c->MaskEdit1);
}

TEST_F(SectorWindowTest, TenVisitsMakeASummaryRow) {
  Choose(0);
  for (int i = 1; i <= 9; ++i) Enter("60");
  EXPECT_EQ(Row(c->StringGrid1, 9, 5), QStringList({"9", "60", "540", "20,00", "60,00"}));
  EXPECT_EQ(c->Panel1->text(), "10");
  Enter("60");
  EXPECT_EQ(Row(c->StringGrid1, 10, 5), QStringList({"10", "60", "600", "20,00", "60,00"}));
  EXPECT_EQ(Row(c->StringGrid2, 0, 4), QStringList({"20", "600", "20,00", "60,00"}));
  EXPECT_EQ(c->Panel1->text(), "");
  EXPECT_EQ(c->Panel2->text(), "600");
  EXPECT_FALSE(c->MaskEdit1->isEnabled());
  EXPECT_EQ(f->focusWidget(), c->BitBtn1);
  EXPECT_EQ(c->ComboBox1->currentIndex(), 0);
  // The next series starts clean and lands in the next row.
  Choose(kBullItem);
  EXPECT_EQ(Row(c->StringGrid1, 1, 5), QStringList({"", "", "", "", ""}));
  for (int score : {25, 50, 0, 150, 75, 100, 125, 25, 50, 0}) Enter(QString::number(score));
  EXPECT_EQ(Row(c->StringGrid2, 1, 4), QStringList({"BULL", "600", "20,00", "60,00"}));
  Choose(19);
  for (int score : {1, 2, 3, 4, 5, 6, 7, 8, 9, 0}) Enter(QString::number(score));
  EXPECT_EQ(Row(c->StringGrid2, 2, 4), QStringList({"1", "45", "1,50", "4,50"}));
  EXPECT_EQ(f->SummaryRow, 3);
}

TEST_F(SectorWindowTest, LeavingWritesTheSummaryFile) {
  clock->Set(QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7)));
  Series(0, 60);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(Files(), QStringList{"20261205_090507_10.csv"});
  EXPECT_EQ(FileData("20261205_090507_10.csv"),
            FileBytes({"2026.12.05 - 09:05:07:05", "Сектор;Сумма;Средний на 1 дротик;Средний набор;",
                       "20;600;20,00;60,00;", ";;;;"}));
  // Leaving cleared both sheets: the next showing starts a new table.
  f->ShowModal();
  EXPECT_EQ(c->StringGrid2->Cell(0, 0), "");
  EXPECT_EQ(c->StringGrid1->Cell(3, 0), "");
  EXPECT_EQ(f->SummaryRow, 0);
}

TEST_F(SectorWindowTest, LeavingWithoutASeriesOrWithCancel) {
  Choose(0);
  Enter("60");
  Key(Qt::Key_F10);  // no series finished: closes at once
  EXPECT_FALSE(f->isVisible());
  EXPECT_TRUE(msg->Log().empty());
  EXPECT_TRUE(Files().isEmpty());
  EXPECT_EQ(c->Panel1->text(), "1");

  Series(0, 60);
  Choose(2);
  Enter("54");
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(Files().size(), 1);
  Enter("18");  // the series goes on
  EXPECT_EQ(c->Panel2->text(), "72");
  EXPECT_EQ(c->Panel1->text(), "3");
}

TEST_F(SectorWindowTest, ExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  CaptureExports();
  ui::seams().decimalSeparator = QChar('.');
  Series(0, 60);
  Series(kBullItem, 75);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  const auto book = ExportedBook();
  ASSERT_TRUE(book.has_value());
  EXPECT_EQ(games_test::CellText(*book, "A1"), "Сектор");
  EXPECT_EQ(games_test::CellText(*book, "D1"), "Средний набор");
  EXPECT_EQ(games_test::CellNumber(*book, "A2"), 20);
  EXPECT_EQ(games_test::CellNumber(*book, "B2"), 600);
  EXPECT_EQ(games_test::CellText(*book, "A3"), "BULL");
  EXPECT_EQ(games_test::CellNumber(*book, "B3"), 750);
  EXPECT_EQ(games_test::CellNumber(*book, "C3"), 25);
  EXPECT_EQ(games_test::CellNumber(*book, "D3"), 75);
  EXPECT_TRUE(games_test::CellFill(*book, "D1").endsWith("CCFFCC"));
  EXPECT_TRUE(games_test::CellFill(*book, "A2").isEmpty());
  EXPECT_NEAR((*book)["widths"].toObject()["C"].toDouble(), 20, 1);
  EXPECT_FALSE(NoBorderBelow(*book, "D3"));
  EXPECT_TRUE(NoBorderBelow(*book, "A4"));
  const QJsonValue beside = (*book)["cells"].toObject()["E1"].toObject()["value"];
  EXPECT_TRUE(beside.isNull() || beside.isUndefined());
}

}  // namespace
