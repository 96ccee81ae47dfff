// The fixture of the export tests: each test has export folders of its own,
// and what would be started is recorded instead.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "tests/support/Exports.h"
#include "tests/support/TestSupport.h"

inline automation::VariantArray OneCell(const QString& text) {
  automation::VariantArray array(0, 0);
  array.Set(0, 0, text);
  return array;
}

class ExcelModelTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    qunsetenv("VANTREL_SPREADSHEET");
    qputenv("TMPDIR", QFile::encodeName(tmp_.path()));
    host_.decimalSeparator = QChar(',');
    host_.spreadsheetProgram = [] { return QStringList{"calc-test", "-n"}; };
    host_.startDetached = [this](const QString& program, const QStringList& args) {
      started_.push_back(QStringList{program} + args);
      return startSucceeds_;
    };
  }
  void TearDown() override {
    automation::seams() = {};
    qputenv("TMPDIR", oldTmp_);
    SeamsFixture::TearDown();
  }
  std::shared_ptr<automation::Application> Excel() { return automation::CreateOleObject("Excel.Application", host_); }
  // A window's export of one cell: workbook, sheet, borders, value, visible.
  void ExportOneCell(automation::Application& app) {
    app.Workbooks().Add();
    automation::Range block = app.WorkSheets(1).GetRange("A1");
    gamekit::GridBorders(block);
    block.Value(OneCell("x"));
    app.Visible(true);
  }

  const QByteArray oldTmp_ = qgetenv("TMPDIR");
  QTemporaryDir tmp_;
  automation::Host host_;
  std::vector<QStringList> started_;
  bool startSucceeds_ = true;
};
