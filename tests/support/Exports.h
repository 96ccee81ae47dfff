// What tests read of a spreadsheet export: the calls the automation layer tells
// its seams while a recorder lives, and the workbook written.
#pragma once

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <memory>
#include <vector>

#include "automation/Excel.h"

namespace testing_support {

// Keeps the application object created last and the calls made since; the
// seams it took are given back when it goes.
class RecordedCalls {
 public:
  RecordedCalls() : previous_(automation::seams()) {
    automation::seams().created = [this](const std::shared_ptr<automation::Application>& app) {
      last_ = app;
      calls_.clear();
    };
    automation::seams().called = [this](const automation::Call& call) { calls_.push_back(call); };
  }
  ~RecordedCalls() { automation::seams().created = previous_.created, automation::seams().called = previous_.called; }
  RecordedCalls(const RecordedCalls&) = delete;

  const std::vector<automation::Call>& Calls() const { return calls_; }
  QString WrittenFile() const { return last_ ? last_->WrittenFile() : QString(); }

 private:
  automation::Seams previous_;
  std::shared_ptr<automation::Application> last_;
  std::vector<automation::Call> calls_;
};

// A written workbook as tests/automation/read_xlsx.py reads it.
inline QJsonObject ReadWorkbook(const QString& xlsx) {
  QProcess reader;
  reader.start("/usr/bin/python3", {QFileInfo(__FILE__).absolutePath() + "/../automation/read_xlsx.py", xlsx});
  EXPECT_TRUE(reader.waitForFinished(60000) && reader.exitCode() == 0) << reader.readAllStandardError().toStdString();
  return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

}  // namespace testing_support
