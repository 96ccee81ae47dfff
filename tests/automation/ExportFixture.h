// The fixture of the export tests: each test has export folders of its own,
// and what would be started is recorded instead.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "automation/Excel.h"
#include "gamekit/GameConventions.h"
#include "tests/automation/QtPrinters.h"
#include "tests/support/TestSupport.h"

class ExcelModelTest : public testing_support::SeamsFixture {
 protected:
  void SetUp() override {
    SeamsFixture::SetUp();
    oldTmp_ = qgetenv("TMPDIR");
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
    automation::SetProgramFinder({});
    qputenv("TMPDIR", oldTmp_);
    SeamsFixture::TearDown();
  }
  QStringList TempEntries() const {
    return QDir(tmp_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
  std::shared_ptr<automation::Application> Excel() { return automation::CreateOleObject("Excel.Application", host_); }

  QTemporaryDir tmp_;
  automation::Host host_;
  std::vector<QStringList> started_;
  bool startSucceeds_ = true;

 private:
  QByteArray oldTmp_;
};

// A window's export: workbook, sheet, a width, a fill, borders, value, visible.
inline void ExportSmallBlock(automation::Application& app, const automation::VariantArray& array) {
  app.Workbooks().Add();
  automation::Worksheet sheet = app.WorkSheets(1);
  automation::Range block = sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(array.HighRow() + 1, array.HighCol() + 1));
  sheet.GetRange(sheet.Cells(1, 1), sheet.Cells(1, 1)).ColumnWidth(5.7109375);
  sheet.GetRange("A1:a1").Interior().ColorIndex(15);
  gamekit::GridBorders(block);
  block.Value(array);
  app.Visible(true);
}

inline automation::VariantArray OneCell(const QString& text) {
  automation::VariantArray array(0, 0);
  array.Set(0, 0, text);
  return array;
}
