// The main window's menu: the window each entry opens, modally.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <functional>
#include <vector>

#include "app/ABOUT.h"
#include "app/Form_501s.h"
#include "app/Kalvern.h"
#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "app/f501.h"
#include "app/form_501double.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "app/kontrovoi.h"
#include "games/Form_ddv_r.h"
#include "games/ddv.h"
#include "games/form_27.h"
#include "games/form_50.h"
#include "games/form_60.h"
#include "games/kriket.h"
#include "games/nabor.h"
#include "games/sector.h"
#include "tests/support/TestSupport.h"
#include "tournament/blank.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace {

using testing_support::FixedClock;
using testing_support::TempCurrentDir;

std::vector<ui::TForm*> AllForms() {
  return {AboutBox, Form_n,   Form_501,         Form_501_s,   Form_kv,   Form60,     Form50,     Formsector,  Form27,
          Form_k,   Form_ddv, Form_ddv_raschet, Form_pravilo, Form_501d, Form_kontr, Form_blank, Form_history};
}

class MenuTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir_ = std::make_unique<TempCurrentDir>();
    clock_ = std::make_unique<FixedClock>(QDateTime(QDate(2026, 12, 9), QTime(18, 30)));
    CreateForms();
    SDIAppForm->show();
  }
  void TearDown() override {
    for (ui::TForm* f : AllForms()) f->Close();
    SDIAppForm->hide();
    clock_.reset();
    dir_.reset();
    SeamsFixture::TearDown();
  }
  static QAction* Action(const char* name) {
    auto* a = SDIAppForm->findChild<QAction*>(name);
    EXPECT_NE(a, nullptr) << name;
    return a;
  }

  std::unique_ptr<TempCurrentDir> dir_;
  std::unique_ptr<FixedClock> clock_;
};

TEST_F(MenuTest, EveryEntryOpensItsWindowAndReturns) {
  const std::vector<std::pair<const char*, std::function<ui::TForm*()>>> cases = {
      {"N5011", [] { return Form_501_s; }},
      {"N7", [] { return Form_n; }},
      {"N271", [] { return Form27; }},
      {"N601", [] { return Form60; }},
      {"N101", [] { return Formsector; }},
      {"N50Bull1", [] { return Form50; }},
      {"N8", [] { return Form_k; }},
      {"DDV1", [] { return Form_ddv; }},
      {"N13", [] { return Form_501; }},
      {"N11", [] { return Form_blank; }},
      {"N4", [] { return Form_kv; }},
      {"N9", [] { return Form_pravilo; }},
      {"HelpAboutItem", [] { return AboutBox; }},
      {"N14", [] { return Form_history; }},
  };
  for (const auto& [name, form] : cases) {
    for (ui::TForm* f : AllForms()) ASSERT_FALSE(f->isVisible()) << name;
    Action(name)->trigger();
    std::vector<ui::TForm*> visible;
    for (ui::TForm* f : AllForms())
      if (f->isVisible()) visible.push_back(f);
    ASSERT_EQ(visible.size(), 1u) << name;
    EXPECT_EQ(visible[0], form()) << name << " opened " << visible[0]->windowTitle().toStdString();
    EXPECT_TRUE(form()->isModal()) << name;
    EXPECT_EQ(QApplication::activeModalWidget(), form()) << name;
    form()->Close();
    EXPECT_FALSE(form()->isVisible()) << name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name << ": the main window is usable again";
    EXPECT_TRUE(SDIAppForm->isVisible() && SDIAppForm->isEnabled()) << name;
  }
}

TEST_F(MenuTest, ExitClosesTheMainWindow) {
  ASSERT_TRUE(SDIAppForm->isVisible());
  Action("FileExitItem")->trigger();
  EXPECT_FALSE(SDIAppForm->isVisible());
}

}  // namespace
