// Helpers shared by the tests: a temporary current directory, a fixed clock,
// scripted message boxes, the bytes of statistics files, printed Qt strings.
#pragma once

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

#include "ui/Dialogs.h"
#include "ui/Seams.h"

namespace testing_support {

// Makes a fresh temporary folder the current directory of the program.
class TempCurrentDir {
 public:
  TempCurrentDir() : path_(dir_.path()) { ui::seams().currentDir = [p = path_] { return p; }; }
  ~TempCurrentDir() { ui::seams().currentDir = [] { return QDir::currentPath(); }; }
  const QString& Path() const { return path_; }
  QString File(const QString& rel) const { return path_ + "/" + rel; }

 private:
  QTemporaryDir dir_;
  QString path_;
};

// Sets the clock to a fixed time (and lets tests move it).
class FixedClock {
 public:
  explicit FixedClock(const QDateTime& t) : t_(t) { ui::seams().now = [this] { return t_; }; }
  ~FixedClock() { ui::seams().now = [] { return QDateTime::currentDateTime(); }; }
  void Set(const QDateTime& t) { t_ = t; }
  void AddSecs(int s) { t_ = t_.addSecs(s); }

 private:
  QDateTime t_;
};

// The answer a box gets when nothing else is asked for: Cancel, else No, else OK.
inline int DefaultAnswer(const ui::ShownMessage& m) {
  return (m.buttons & ui::mbCancel) ? ui::mrCancel : (m.buttons & ui::mbNo) ? ui::mrNo : ui::mrOk;
}

// Answers message boxes from a script, then with their default, and logs what
// was shown; installed into seams().messages while it lives.
class ScriptedMessages {
 public:
  ScriptedMessages() : previous_(ui::seams().messages) {
    ui::seams().messages = [this](const ui::ShownMessage& shown) {
      ui::ShownMessage m = shown;
      m.answer = next_ < answers_.size() ? answers_[next_++] : DefaultAnswer(m);
      log_.push_back(m);
      if (onShow) onShow(m);
      return m.answer;
    };
  }
  ~ScriptedMessages() { ui::seams().messages = previous_; }
  ScriptedMessages(const ScriptedMessages&) = delete;

  void Answer(int modalResult) { answers_.push_back(modalResult); }  // used in order
  const std::vector<ui::ShownMessage>& Log() const { return log_; }
  QStringList Texts() const {
    QStringList out;
    for (const auto& m : log_) out << m.text;
    return out;
  }
  void Clear() { log_.clear(), answers_.clear(), next_ = 0; }
  // Called while a box is "shown", after it is logged (to act inside a box).
  std::function<void(const ui::ShownMessage&)> onShow;

 private:
  std::vector<ui::ShownMessage> log_;
  std::vector<int> answers_;
  size_t next_ = 0;
  ui::MessageHandler previous_;
};

// Windows-1251 of ASCII, the Cyrillic letters and "№"; anything else is "?".
inline QByteArray Cp1251(const QString& s) {
  QByteArray out;
  for (QChar c : s) {
    const ushort u = c.unicode();
    out.append(u < 0x80                     ? char(u)
               : (u >= 0x410 && u <= 0x44F) ? char(0xC0 + (u - 0x410))
               : u == 0x401                 ? char(0xA8)
               : u == 0x451                 ? char(0xB8)
               : u == 0x2116                ? char(0xB9)
                                            : '?');
  }
  return out;
}

// The bytes of a file of these lines, each ended by CR LF.
inline QByteArray FileBytes(const QStringList& lines) {
  QByteArray out;
  for (const QString& l : lines) out += Cp1251(l) + "\r\n";
  return out;
}

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Test defaults: a message box that no test scripted fails the test (and is
// answered with its default); ShowModal shows the form without blocking (it
// stays shown until something closes it).
void InstallTestDefaults();

// Every test starts and ends with the default seams and the test defaults.
class SeamsFixture : public ::testing::Test {
 protected:
  void SetUp() override { ui::ResetSeams(), InstallTestDefaults(); }
  void TearDown() override { SeamsFixture::SetUp(); }
};

}  // namespace testing_support

// Readable gtest output for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join('|').toStdString() << ']'; }
