#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/Seams.h"

namespace {

class DialogsTest : public testing_support::SeamsFixture {};

TEST_F(DialogsTest, ConfirmationBoxHasQuestionCaptionAndScriptedAnswer) {
  ui::ScriptedMessages msgs;
  msgs.Answer(ui::mrNo);
  const QString text = QString::fromUtf8("a\rb\r\nc");
  EXPECT_EQ(ui::MessageDlg(text, ui::mtConfirmation, ui::mbYes | ui::mbNo | ui::mbCancel), ui::mrNo);
  ASSERT_EQ(msgs.Log().size(), 1u);
  EXPECT_EQ(msgs.Log()[0].caption, "Confirm");
  EXPECT_EQ(msgs.Log()[0].text, text);
}

TEST_F(DialogsTest, UnansweredQuestionTakesCancelOrNo) {
  ui::ScriptedMessages msgs;
  EXPECT_EQ(ui::MessageDlg("q", ui::mtConfirmation, ui::mbYes | ui::mbNo | ui::mbCancel), ui::mrCancel);
  EXPECT_EQ(ui::MessageDlg("q", ui::mtConfirmation, ui::mbYes | ui::mbNo), ui::mrNo);
}

TEST_F(DialogsTest, ExceptionReportEndsWithFullStop) {
  ui::ScriptedMessages msgs;
  ui::RunHandler([] { throw std::runtime_error("'1 5' is not a valid integer value"); });
  ASSERT_EQ(msgs.Log().size(), 1u);
  EXPECT_EQ(msgs.Log()[0].kind, ui::ShownMessage::Kind::Exception);
  EXPECT_EQ(msgs.Log()[0].text, "'1 5' is not a valid integer value.");
}

}  // namespace
