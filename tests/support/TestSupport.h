// Helpers shared by the tests: a temporary current directory, a fixed clock,
// scripted message boxes.
#pragma once

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include "ui/Seams.h"

namespace testing_support {

// Makes a fresh temporary folder the current directory of the program.
class TempCurrentDir {
 public:
  TempCurrentDir() {
    path_ = dir_.path();
    ui::seams().currentDir = [p = path_] { return p; };
  }
  ~TempCurrentDir() {
    ui::seams().currentDir = [] { return QDir::currentPath(); };
  }
  const QString& Path() const { return path_; }
  QString File(const QString& rel) const { return path_ + "/" + rel; }

 private:
  QTemporaryDir dir_;
  QString path_;
};

// Sets the clock to a fixed time (and lets tests move it).
class FixedClock {
 public:
  explicit FixedClock(const QDateTime& t) : t_(t) {
    ui::seams().now = [this] { return t_; };
  }
  ~FixedClock() {
    ui::seams().now = [] { return QDateTime::currentDateTime(); };
  }
  void Set(const QDateTime& t) { t_ = t; }
  void AddSecs(int s) { t_ = t_.addSecs(s); }

 private:
  QDateTime t_;
};

// Test defaults: a message box that no test scripted fails the test (and is
// answered with its default); ShowModal shows the form without blocking.
void InstallTestDefaults();

// Every test starts from the default seams but with scripted message boxes and
// a modal runner that does not block (the form is shown and stays shown until
// something closes it).
class SeamsFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace testing_support
