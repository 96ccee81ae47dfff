// The main window's menu: the window each entry opens, modally.
#include <QAction>
#include <QApplication>
#include <memory>
#include <vector>

#include "app/Program.h"
#include "app/SDIMAIN.h"
#include "tests/support/TestSupport.h"
#include "ui/Forms.h"

namespace {

std::vector<ui::TForm*> OpenForms() {
  std::vector<ui::TForm*> out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<ui::TForm*>(w); form && form->isVisible()) out.push_back(form);
  return out;
}

class MenuTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    dir = std::make_unique<testing_support::TempCurrentDir>();
    clock = std::make_unique<testing_support::FixedClock>(QDateTime(QDate(2026, 12, 9), QTime(18, 30)));
    CreateForms();
    SDIAppForm->show();
  }
  void TearDown() override {
    for (ui::TForm* f : OpenForms()) f->Close();
    SDIAppForm->hide();
    clock.reset();
    dir.reset();
    SeamsFixture::TearDown();
  }
  std::unique_ptr<testing_support::TempCurrentDir> dir;
  std::unique_ptr<testing_support::FixedClock> clock;
};

TEST_F(MenuTest, EveryEntryOpensItsWindowModallyAndReturns) {
  const std::pair<const char*, const char*> cases[] = {
      {"N5011", "TForm_501_s"},       {"N7", "TForm_n"},        {"N271", "TForm27"}, {"N601", "TForm60"},
      {"N101", "TFormsector"},        {"N50Bull1", "TForm50"},  {"N8", "TForm_k"},   {"DDV1", "TForm_ddv"},
      {"N13", "TForm_501"},           {"N11", "TForm_blank"},   {"N4", "TForm_kv"},  {"N9", "TForm_pravilo"},
      {"HelpAboutItem", "TAboutBox"}, {"N14", "TForm_history"},
  };
  for (const auto& [action, opened] : cases) {
    SCOPED_TRACE(action);
    ASSERT_TRUE(OpenForms().empty());
    auto* entry = SDIAppForm->findChild<QAction*>(action);
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    const std::vector<ui::TForm*> open = OpenForms();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_STREQ(open[0]->metaObject()->className(), opened);
    EXPECT_EQ(QApplication::activeModalWidget(), open[0]);
    open[0]->Close();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window is usable again";
    EXPECT_TRUE(SDIAppForm->isVisible() && SDIAppForm->isEnabled());
  }
  SDIAppForm->findChild<QAction*>("FileExitItem")->trigger();
  EXPECT_FALSE(SDIAppForm->isVisible());
}

}  // namespace
