// The sector practice window played from the keyboard: sector choice, ten
// visits, summary table, file and export.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QJsonArray>
#include <QTest>
#include <memory>

#include "games/sector.h"
#include "tests/games/GamesTestSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"

namespace {

using games_test::FileBytes;
using testing_support::FixedClock;
using testing_support::TempCurrentDir;

const QString kEmpty = "Внимание!!! Недопустимое значение.";
const QString kNotInSector = "Внимание!!! Недопустимое значение для данного сектора.";
constexpr int kBullItem = 20;

class SectorWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    dir = std::make_unique<TempCurrentDir>();
    QDir(dir->Path()).mkdir("10");
    clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 5), QTime(9, 5, 7)));
    ui::seams().decimalSeparator = QChar(',');
    delete Formsector;
    Formsector = new TFormsector;
    f = Formsector;
    c = &f->Controls();
  }
  void TearDown() override {
    f->Close();
    delete Formsector;
    Formsector = nullptr;
    clock.reset();
    dir.reset();
    msg.reset();
    SeamsFixture::TearDown();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f, key, mods);
  }
  // Opens the window if needed, picks the list item as a user does and
  // accepts it with F4.
  void Choose(int item) {
    if (!f->isVisible()) f->ShowModal();
    c->ComboBox1->setCurrentIndex(item);
    emit c->ComboBox1->activated(item);
    Key(Qt::Key_F4);
  }
  void Enter(const QString& text) {
    c->MaskEdit1->Clear();
    c->MaskEdit1->setCursorPosition(0);
    QTest::keyClicks(c->MaskEdit1, text);
    QTest::keyClick(c->MaskEdit1, Qt::Key_Return);
  }
  void Series(int item, int score) {
    Choose(item);
    for (int i = 0; i < 10; ++i) Enter(QString::number(score));
  }
  QStringList Row(const ui::TStringGrid* grid, int row, int cols) const {
    QStringList out;
    for (int col = 0; col < cols; ++col) out << grid->Cell(col, row);
    return out;
  }

  TFormsector* f = nullptr;
  Ui::TFormsector* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
  std::unique_ptr<TempCurrentDir> dir;
  std::unique_ptr<FixedClock> clock;
};

TEST_F(SectorWindowTest, FocusAtOpeningAndAfterChoosing) {
  f->ShowModal();
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
      {0, "180", nullptr},       {0, "190", &kNotInSector},  {0, "7", &kNotInSector}, {19, "9", nullptr},
      {19, "10", &kNotInSector}, {1, "171", nullptr},        {1, "180", &kNotInSector}, {kBullItem, "150", nullptr},
      {kBullItem, "175", &kNotInSector}, {kBullItem, "60", &kNotInSector}, {kBullItem, "0", nullptr},
      {7, "0", nullptr},         {7, "", &kEmpty},           {0, "999", &kNotInSector},
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
  Series(0, 60);
  msg->Answer(ui::mrNo);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(games_test::FilesIn(dir->File("10")), QStringList{"20261205_090507_10.csv"});
  EXPECT_EQ(games_test::ReadAll(dir->File("10/20261205_090507_10.csv")),
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
  EXPECT_TRUE(games_test::FilesIn(dir->File("10")).isEmpty());
  EXPECT_EQ(c->Panel1->text(), "1");

  Series(0, 60);
  Choose(2);
  Enter("54");
  msg->Answer(ui::mrCancel);
  Key(Qt::Key_F10);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(games_test::FilesIn(dir->File("10")).size(), 1);
  Enter("18");  // the series goes on
  EXPECT_EQ(c->Panel2->text(), "72");
  EXPECT_EQ(c->Panel1->text(), "3");
}

TEST_F(SectorWindowTest, ExportReadBack) {
  if (!QFileInfo::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
  QStringList opened;
  ui::seams().spreadsheetProgram = [] { return QStringList{"true"}; };
  ui::seams().startDetached = [&](const QString&, const QStringList& args) {
    opened << args.last();
    return true;
  };
  ui::seams().decimalSeparator = QChar('.');
  Series(0, 60);
  Series(kBullItem, 75);
  msg->Answer(ui::mrYes);
  Key(Qt::Key_F10);
  EXPECT_FALSE(f->isVisible());
  ASSERT_EQ(opened.size(), 1);
  const auto book = games_test::ReadWorkbook(opened[0]);
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
  EXPECT_FALSE((*book)["cells"].toObject()["D3"].toObject()["bottom"].isNull());
  const QJsonValue below = (*book)["cells"].toObject()["A4"].toObject()["bottom"];
  EXPECT_TRUE(below.isNull() || below.isUndefined());
  const QJsonValue beside = (*book)["cells"].toObject()["E1"].toObject()["value"];
  EXPECT_TRUE(beside.isNull() || beside.isUndefined());
}

}  // namespace
