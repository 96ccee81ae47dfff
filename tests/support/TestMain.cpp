#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/Forms.h"

namespace testing_support {

void InstallTestDefaults() {
  ui::seams().messages = [](const ui::ShownMessage& m) {
    ADD_FAILURE() << "unexpected message box: " << m.text.toStdString();
    return DefaultAnswer(m);
  };
  ui::seams().modalRunner = [](ui::TForm& form) {
    form.show();
    return form.ModalResult();
  };
}

}  // namespace testing_support

int main(int argc, char** argv) {
  // Workbooks written for the spreadsheet program stay behind on purpose; in
  // tests they go into a folder of this run that is removed at the end.
  QTemporaryDir scratch;
  if (scratch.isValid()) qputenv("TMPDIR", QFile::encodeName(scratch.path()));
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  ui::TApplication app(argc, argv);
  testing_support::InstallTestDefaults();
  return RUN_ALL_TESTS();
}
