// The tournament sheet window driven by mouse and keyboard: its system choice,
// size lists and the buttons they enable, kept from one opening to the next.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui/Dialogs.h"

namespace {

class BlankWindowTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    msg = std::make_unique<ui::ScriptedMessages>();
    delete Form_blank;
    c = &(f = Form_blank = new TForm_blank)->Controls();
  }
  void TearDown() override {
    delete Form_blank;
    Form_blank = nullptr;
    msg.reset();
    SeamsFixture::TearDown();
  }
  void Open() {
    f->ShowModal();
    QApplication::setActiveWindow(f);
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  void Key(Qt::Key key) { QTest::keyClick(Focused() ? Focused() : static_cast<QWidget*>(f), key); }
  QRadioButton* Item(int i) const { return c->RadioGroup1->Button(i); }

  // Chooses an item of a closed list with the arrow keys.
  void Choose(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index) QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index) QTest::keyClick(box, Qt::Key_Up);
  }

  // Plays a script of user actions: "r0"/"r1" click a system, "g<i>" and
  // "b<i>" choose an item of the group or bracket list, "s<i>" sets the bracket
  // list's item from code, "reopen" closes the window through its exit button
  // and opens it again.
  void Play(const std::vector<std::string>& script) {
    for (const std::string& step : script) {
      if (step == "reopen") {
        QTest::mouseClick(c->BitBtn1, Qt::LeftButton);
        ASSERT_FALSE(f->isVisible());
        Open();
      } else if (step[0] == 'r') {
        QTest::mouseClick(Item(step[1] - '0'), Qt::LeftButton);
      } else if (step[0] == 'g') {
        Choose(c->ComboBox1, step[1] - '0');
      } else if (step[0] == 'b') {
        Choose(c->ComboBox2, step[1] - '0');
      } else if (step[0] == 's') {
        c->ComboBox2->setCurrentIndex(step[1] - '0');  // from code: no select handler
      }
    }
  }

  TForm_blank* f = nullptr;
  Ui::TForm_blank* c = nullptr;
  std::unique_ptr<ui::ScriptedMessages> msg;
};

struct StateCase {
  const char* name;
  std::vector<std::string> script;
  int system;  // the radio group's item, -1 none
  int groupSize, bracketSize, bracketColumns;
  int groupItem, bracketItem;  // shown items of the two lists
  bool roundRobinOn, knockOutOn;  // label, list and button of each system
};

const StateCase kStateCases[] = {
    {"nothing chosen", {"reopen"}, -1, 0, 0, 0, 0, 0, false, false},
    {"round robin", {"r0"}, 0, 4, 0, 0, 0, 0, true, false},
    {"knock-out", {"r1"}, 1, 0, 8, 5, 0, 0, false, true},
    {"group of 5-6", {"r0", "g1"}, 0, 6, 0, 0, 1, 0, true, false},
    {"group of 7-8", {"r0", "g2"}, 0, 8, 0, 0, 2, 0, true, false},
    {"bracket of 16", {"r1", "b1"}, 1, 0, 16, 6, 0, 1, false, true},
    {"bracket of 64", {"r1", "b3"}, 1, 0, 64, 8, 0, 3, false, true},
    {"back to round robin resets the group only", {"r1", "b3", "r0"}, 0, 4, 64, 8, 0, 3, true, false},
    {"round robin chosen again starts from 3-4", {"r0", "g2", "r1", "r0"}, 0, 4, 8, 5, 0, 0, true, false},
    {"back to knock-out resets the bracket only", {"r0", "g2", "r1", "b2", "r0", "r1"}, 1, 4, 8, 5, 0, 0, false, true},
    {"the chosen system clicked again changes nothing", {"r0", "g2", "r0"}, 0, 8, 0, 0, 2, 0, true, false},
    {"a list item set from code changes no size", {"r1", "b3", "s1"}, 1, 0, 64, 8, 0, 1, false, true},
    {"kept over a reopening", {"r1", "b2", "reopen"}, 1, 0, 32, 7, 0, 2, false, true},
    {"kept over two", {"r0", "g1", "reopen", "reopen"}, 0, 6, 0, 0, 1, 0, true, false},
};

class BlankStateTest : public BlankWindowTest, public testing::WithParamInterface<StateCase> {};

TEST_P(BlankStateTest, ChoicesSetSizesAndEnableTheirControls) {
  const StateCase& t = GetParam();
  Open();
  Play(t.script);
  EXPECT_TRUE(f->isVisible() && c->BitBtn1->isEnabled() && msg->Log().empty());
  EXPECT_EQ(c->RadioGroup1->ItemIndex(), t.system);
  EXPECT_EQ(std::vector<int>({f->GroupSize, f->BracketSize, f->BracketColumns}),
            std::vector<int>({t.groupSize, t.bracketSize, t.bracketColumns}));
  EXPECT_EQ(c->ComboBox1->currentIndex(), t.groupItem);
  EXPECT_EQ(c->ComboBox2->currentIndex(), t.bracketItem);
  for (QWidget* w : std::vector<QWidget*>{c->Label1, c->ComboBox1, c->BitBtn2})
    EXPECT_EQ(w->isEnabled(), t.roundRobinOn) << w->objectName().toStdString();
  for (QWidget* w : std::vector<QWidget*>{c->Label2, c->ComboBox2, c->BitBtn3})
    EXPECT_EQ(w->isEnabled(), t.knockOutOn) << w->objectName().toStdString();
  // A reopened window starts on the chosen system, or on the first.
  EXPECT_TRUE(t.script.back() != "reopen" || Focused() == Item(std::max(t.system, 0)));
}

INSTANTIATE_TEST_SUITE_P(Scripts, BlankStateTest, testing::ValuesIn(kStateCases),
                         [](const testing::TestParamInfo<StateCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p) name += isalnum(*p) ? *p : '_';
                           return name;
                         });

TEST_F(BlankWindowTest, TheKeyboardAloneChoosesASystemAndASize) {
  Open();
  ASSERT_EQ(Focused(), Item(0));
  EXPECT_EQ(c->RadioGroup1->ItemIndex(), -1);
  Key(Qt::Key_Space);
  EXPECT_TRUE(c->RadioGroup1->ItemIndex() == 0 && c->BitBtn2->isEnabled());
  Key(Qt::Key_Right);
  EXPECT_EQ(Focused(), Item(1));
  EXPECT_TRUE(c->RadioGroup1->ItemIndex() == 1 && c->BitBtn3->isEnabled() && !c->BitBtn2->isEnabled());
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focused(), c->ComboBox2);
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) Key(k);
  EXPECT_EQ(f->BracketSize * 10 + f->BracketColumns, 166);
  for (QWidget* next : std::vector<QWidget*>{c->BitBtn3, c->BitBtn1}) {
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), next);
  }
  Key(Qt::Key_Space);
  EXPECT_FALSE(f->isVisible());
}

// Tab runs through the enabled controls in the order of the layout, and the
// radio group is one stop, on its chosen item.
TEST_F(BlankWindowTest, TabVisitsTheEnabledControlsInOrder) {
  struct Case {
    const char* script;
    std::vector<QWidget*> order;
  };
  Open();
  const Case cases[] = {
      {"", {Item(0), c->BitBtn1, Item(0)}},
      {"r0", {Item(0), c->ComboBox1, c->BitBtn2, c->BitBtn1, Item(0)}},
      {"r1", {Item(1), c->ComboBox2, c->BitBtn3, c->BitBtn1, Item(1)}},
  };
  for (const Case& t : cases) {
    SCOPED_TRACE(t.script);
    if (*t.script) QTest::mouseClick(Item(t.script[1] - '0'), Qt::LeftButton);
    t.order.front()->setFocus();
    for (size_t i = 1; i < t.order.size(); ++i) {
      Key(Qt::Key_Tab);
      EXPECT_EQ(Focused(), t.order[i]) << i << " " << (Focused() ? Focused()->objectName().toStdString() : "none");
    }
    for (size_t i = t.order.size() - 1; i-- > 0;) {
      QTest::keyClick(Focused(), Qt::Key_Backtab, Qt::ShiftModifier);
      EXPECT_EQ(Focused(), t.order[i]) << "back " << i;
    }
  }
}

}  // namespace
