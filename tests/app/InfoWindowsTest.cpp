#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "app/ABOUT.h"
#include "app/help_pravilo.h"
#include "app/history.h"
#include "tests/support/TestSupport.h"
#include "ui/Dialogs.h"
#include "ui/SysUtils.h"

namespace {

using testing_support::FixedClock;

class InfoWindowsTest : public testing_support::SeamsFixture {};

template <class T>
T* Child(QWidget& form, const char* name) {
  T* w = form.findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

QStringList MemoLines(QWidget& form) {
  auto* memo = Child<QPlainTextEdit>(form, "Memo1");
  return memo ? memo->toPlainText().split(QLatin1Char('\n')) : QStringList();
}

int LeadingBlanks(const QString& line) {
  int n = 0;
  while (n < line.size() && line.at(n) == QLatin1Char(' ')) ++n;
  return n;
}

// ---------------------------------------------------------------- the about window

TEST_F(InfoWindowsTest, EveryShowingStampsTheHiddenLabelAndMakesTheTestFolder) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString base = QDir(dir.path()).absolutePath();
  QFile file(base + "/plain.txt");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  for (const char* sub : {"plain", "slash", "tested", "readonly"}) ASSERT_TRUE(QDir(base).mkdir(sub));
  ASSERT_TRUE(QDir(base + "/tested").mkdir("Test"));
  ASSERT_TRUE(QFile::setPermissions(base + "/readonly", QFile::ReadOwner | QFile::ExeOwner));
  // Whoever may write anyway (a superuser) gets the folder; nobody else can.
  const bool canWriteReadOnly = ::access((base + "/readonly").toLocal8Bit().constData(), W_OK) == 0;

  struct Case {
    const char* what;
    QString given;   // the program's folder as the system gives it
    QString folder;  // as the window uses it
    bool testFolderAppears;
  };
  const Case cases[] = {
      {"plain folder", base + "/plain", base + "/plain", true},
      {"folder given with a trailing separator", base + "/slash/", base + "/slash", true},
      {"Test already there", base + "/tested", base + "/tested", true},
      {"read-only program folder", base + "/readonly", base + "/readonly", canWriteReadOnly},
      {"program folder that is gone", base + "/missing", base + "/missing", false},
      {"program folder that is a file", base + "/plain.txt", base + "/plain.txt", false},
  };
  const QDateTime when(QDate(2012, 5, 10), QTime(14, 35, 20));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::seams().programDir = [&] { return c.given; };
    FixedClock clock(when);
    ui::ScriptedMessages msgs;  // the window shows as usual, without any message
    TAboutBox about;
    auto* label2 = Child<QLabel>(about, "Label2");
    ASSERT_NE(label2, nullptr);
    for (int showing = 0; showing < 2; ++showing) {
      about.ShowModal();
      EXPECT_TRUE(about.isVisible());
      // The folder and the date-time text follow each other without a separator.
      EXPECT_EQ(label2->text(), c.folder + ui::DateTimeToStr(when.addSecs(3600 * showing)));
      EXPECT_EQ(QFileInfo(c.folder + "/Test").isDir(), c.testFolderAppears);
      EXPECT_FALSE(ui::Visible(label2));
      EXPECT_FALSE(ui::Enabled(label2));
      EXPECT_EQ(about.focusWidget(), Child<QPushButton>(about, "OKButton"));
      about.Close();
      // Shown again an hour later, after the folder was removed: made anew.
      QDir(c.folder).rmdir("Test");
      clock.AddSecs(3600);
    }
    EXPECT_TRUE(msgs.Log().empty());
  }
  QFile::setPermissions(base + "/readonly", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(InfoWindowsTest, AboutClosesWithOkByEnterOrClick) {
  QTemporaryDir dir;
  ui::seams().programDir = [&] { return dir.path(); };
  const std::pair<const char*, std::function<void(QPushButton*)>> ways[] = {
      {"Enter", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Return); }},
      {"keypad Enter", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Enter); }},
      {"click", [](QPushButton* ok) { QTest::mouseClick(ok, Qt::LeftButton); }},
  };
  for (const auto& [what, press] : ways) {
    SCOPED_TRACE(what);
    TAboutBox about;
    about.ShowModal();
    auto* ok = Child<QPushButton>(about, "OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    press(ok);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.ModalResult(), ui::mrOk);
  }
}

TEST_F(InfoWindowsTest, AboutLayout) {
  QTemporaryDir dir;
  ui::seams().programDir = [&] { return dir.path(); };
  TAboutBox about;
  about.ShowModal();
  auto* icon = Child<QLabel>(about, "ProgramIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pixmap().size(), QSize(537, 363));
  auto* panel = Child<QFrame>(about, "Panel1");
  EXPECT_EQ(icon->parentWidget(), panel);
  EXPECT_EQ(panel->frameShadow(), QFrame::Sunken);

  auto* author = Child<QLabel>(about, "Label1");
  auto* contact = Child<QLabel>(about, "Label3");
  EXPECT_FALSE(author->text().isEmpty());
  EXPECT_FALSE(contact->text().isEmpty());
  EXPECT_TRUE(contact->wordWrap());
  EXPECT_EQ(author->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(contact->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
  EXPECT_GE(author->geometry().top(), panel->geometry().bottom());
  EXPECT_EQ(author->font().pixelSize(), 11);

  auto* status = Child<QStatusBar>(about, "StatusBar1");
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(status->currentMessage().isEmpty());
  EXPECT_EQ(status->geometry().bottom() + 1, about.height());
  EXPECT_EQ(status->width(), about.width());
  about.Close();
}

// ------------------------------------------------------ all three windows alike

struct WindowCase {
  const char* name;
  std::function<std::unique_ptr<ui::TForm>()> make;
  QString caption;
  QSize client;
  ui::TForm::Placement placement;
  bool stayOnTop;
  bool keyPreview;
};

std::vector<WindowCase> Windows() {
  return {
      {"about", [] { return std::make_unique<TAboutBox>(); }, QString::fromUtf8("О программе"), QSize(559, 454),
       ui::TForm::Placement::ScreenCenter, false, false},
      {"rules", [] { return std::make_unique<TForm_pravilo>(); }, QString::fromUtf8("Основные дартс-игры"),
       QSize(800, 458), ui::TForm::Placement::MainFormCenter, true, true},
      {"history", [] { return std::make_unique<TForm_history>(); }, QString::fromUtf8("История версий"),
       QSize(976, 531), ui::TForm::Placement::MainFormCenter, false, true},
  };
}

TEST_F(InfoWindowsTest, CaptionsSizesAndWindowKinds) {
  QTemporaryDir dir;
  ui::seams().programDir = [&] { return dir.path(); };
  for (const WindowCase& c : Windows()) {
    SCOPED_TRACE(c.name);
    auto form = c.make();
    form->ShowModal();
    EXPECT_EQ(form->windowTitle(), c.caption);
    EXPECT_EQ(form->ClientSize(), c.client);
    EXPECT_EQ(form->size(), c.client);
    EXPECT_EQ(form->BorderStyle(), ui::TForm::Border::ToolWindow);
    EXPECT_EQ(form->Position(), c.placement);
    EXPECT_EQ(form->KeyPreview(), c.keyPreview);
    EXPECT_EQ(form->StayOnTop(), c.stayOnTop);
    EXPECT_EQ(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.stayOnTop);
    // None of them takes Close from the system menu.
    EXPECT_TRUE(form->HasCloseCommand());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    form->Close();
    EXPECT_FALSE(form->isVisible());
  }
}

// ------------------------------------------------------- rules and history: exit

TEST_F(InfoWindowsTest, F10AndExitButtonCloseOnlyWhileButtonEnabled) {
  struct Case {
    const char* what;
    bool enabled;
    Qt::Key key;
    bool closes;
  };
  const Case cases[] = {
      {"F10 with the button enabled", true, Qt::Key_F10, true},
      {"F10 with the button disabled", false, Qt::Key_F10, false},
      {"F9 is no exit key", true, Qt::Key_F9, false},
      {"Esc is no exit key", true, Qt::Key_Escape, false},
  };
  for (const WindowCase& w : Windows()) {
    if (!w.keyPreview) continue;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(w.name) + ": " + c.what);
      auto form = w.make();
      form->ShowModal();
      auto* exit = Child<QPushButton>(*form, "BitBtn1");
      ASSERT_NE(exit, nullptr);
      exit->setEnabled(c.enabled);
      QTest::keyClick(Child<QPlainTextEdit>(*form, "Memo1"), c.key);
      EXPECT_EQ(form->isVisible(), !c.closes);
      if (form->isVisible()) {
        exit->setEnabled(true);
        QTest::mouseClick(exit, Qt::LeftButton);
        EXPECT_FALSE(form->isVisible());
      }
    }
  }
}

// ------------------------------------------------------------ fonts and colours

TEST_F(InfoWindowsTest, FontsAndColours) {
  struct Case {
    int window;  // index into Windows()
    const char* control;
    int pixelSize;
    bool bold;
    QColor text;  // invalid: not checked
  };
  const Case cases[] = {
      {1, "Label1", 16, true, QColor(0x80, 0, 0x80)},
      {1, "BitBtn1", 19, true, QColor()},
      {1, "Memo1", 13, true, QColor(0, 0, 0)},
      {2, "Label1", 13, false, QColor(0xFF, 0, 0)},
      {2, "BitBtn1", 19, true, QColor()},
      {2, "Memo1", 13, true, QColor()},
  };
  const auto windows = Windows();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(windows[c.window].name) + " " + c.control);
    auto form = windows[c.window].make();
    form->ShowModal();
    auto* w = Child<QWidget>(*form, c.control);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->font().family(), "Arial");
    EXPECT_EQ(w->font().pixelSize(), c.pixelSize);
    EXPECT_EQ(w->font().bold(), c.bold);
    if (c.text.isValid()) {
      const auto role = qobject_cast<QPlainTextEdit*>(w) ? QPalette::Text : QPalette::WindowText;
      EXPECT_EQ(w->palette().color(role), c.text);
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      EXPECT_FALSE(button->icon().isNull());
    }
    form->Close();
  }
  TForm_history history;
  history.ShowModal();
  EXPECT_EQ(Child<QPlainTextEdit>(history, "Memo1")->palette().color(QPalette::Base), QColor(0xB9, 0xD1, 0xEA));
  EXPECT_EQ(Child<QPushButton>(history, "BitBtn1")->text(), QString::fromUtf8("- Выход"));
  EXPECT_EQ(Child<QLabel>(history, "Label1")->text(),
            QString::fromUtf8("История версии в хроналогическом порядке от Я до А"));
  TForm_pravilo rules;
  rules.ShowModal();
  EXPECT_EQ(Child<QPushButton>(rules, "BitBtn1")->text(), QString::fromUtf8("Выход"));
  EXPECT_EQ(Child<QLabel>(rules, "Label1")->text(), QString::fromUtf8("Основные дартс-игры"));
}

// ------------------------------------------------------------------ rules text

const char* const kGames[] = {
    "501",
    "Американский крикет",
    "Большой раунд",
    "27",
    "Сектор 20",
    "Булл",
    "Раунд удвоений",
    "7 жизней",
    "Хоккей",
    "Крикет",
    "Around the clock (циферблат)",
    "5 жизней",
    "Набор очков",
    "Диаметр",
    "Раунд",
    "Быстрый раунд",
    "Раунд по двойным",
    "1000",
    "Все пятёрки",
    "Shanghai (шанхай)",
    "301 Parchessi (убегай!)",
    "Baseball (бейсбол)",
};

const char* const kLabels[] = {"Цель игры:",        "Правило подсчёта очков:", "Правило окончания:",
                               "Правило перебора:", "Правило закрытия:",       "Примечание:"};

QString LabelOf(const QString& ruleLine) {
  for (const char* label : kLabels) {
    const QString l = QString::fromUtf8(label);
    if (ruleLine.mid(5).startsWith(l + " ") && ruleLine.size() > 5 + l.size() + 1) return l;
  }
  return QString();
}

TEST_F(InfoWindowsTest, RulesTextStructure) {
  TForm_pravilo rules;
  auto* memo = Child<QPlainTextEdit>(rules, "Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  const QStringList lines = MemoLines(rules);
  EXPECT_EQ(lines.size(), 209);
  EXPECT_EQ(memo->blockCount(), 209);

  // Section titles are the lines pushed towards the middle.
  std::vector<int> titleRows;
  for (int i = 0; i < lines.size(); ++i)
    if (LeadingBlanks(lines[i]) > 5) titleRows.push_back(i);
  ASSERT_EQ(titleRows.size(), std::size(kGames));

  // The opening paragraph: turns of three darts; a bounced or missed dart does not count.
  const QString opening = lines.mid(0, titleRows[0]).join(' ');
  EXPECT_FALSE(lines[0].trimmed().isEmpty());
  EXPECT_TRUE(opening.contains(QString::fromUtf8("три дротика")));
  EXPECT_TRUE(opening.contains(QString::fromUtf8("отскочил")));
  EXPECT_TRUE(opening.contains(QString::fromUtf8("не засчитывается")));
  EXPECT_TRUE(opening.contains(QString::fromUtf8("повторно не бросается")));
  EXPECT_FALSE(opening.contains(QString::fromUtf8("  -> ")));

  for (size_t s = 0; s < titleRows.size(); ++s) {
    const int row = titleRows[s];
    const QString title = QString::fromUtf8(kGames[s]);
    SCOPED_TRACE(kGames[s]);
    const int blanks = LeadingBlanks(lines[row]);
    EXPECT_GE(blanks, 75);
    EXPECT_LE(blanks, 95);
    EXPECT_EQ(lines[row].mid(blanks), title);
    ASSERT_LT(row + 2, lines.size());
    EXPECT_TRUE(lines[row + 1].isEmpty());
    EXPECT_FALSE(lines[row + 2].trimmed().isEmpty());
    EXPECT_FALSE(lines[row + 2].startsWith(QString::fromUtf8("  -> ")));

    const int end = s + 1 < titleRows.size() ? titleRows[s + 1] : int(lines.size());
    QStringList labels;
    for (int i = row + 2; i < end; ++i) {
      if (!lines[i].startsWith(QString::fromUtf8("  -> "))) continue;
      const QString label = LabelOf(lines[i]);
      EXPECT_FALSE(label.isEmpty()) << lines[i].toStdString();
      labels << label;
    }
    EXPECT_TRUE(labels.contains(QString::fromUtf8("Цель игры:")));
    if (s == 0) {
      for (const char* l : {"Правило подсчёта очков:", "Правило окончания:", "Правило перебора:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(l))) << l;
      for (const char* score : {"301", "101", "170", "701", "1001"})
        EXPECT_TRUE(lines.mid(row, end - row).join(' ').contains(QString::fromLatin1(score))) << score;
    }
    if (s == 1) {
      EXPECT_TRUE(labels.contains(QString::fromUtf8("Правило закрытия:")));
    }
  }
}

// ---------------------------------------------------------------- history text

TEST_F(InfoWindowsTest, HistoryTextStructure) {
  TForm_history history;
  auto* memo = Child<QPlainTextEdit>(history, "Memo1");
  ASSERT_NE(memo, nullptr);
  EXPECT_FALSE(memo->isReadOnly());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  const QStringList lines = MemoLines(history);
  EXPECT_EQ(lines.size(), 132);

  const char* const dates[] = {"10.05.2012", "06.03.2012", "07.11.2011", "10.10.2011", "03.10.2011", "19.09.2011",
                               "06.09.2011", "26.08.2011", "20.08.2011", "11.07.2011", "23.06.2011"};
  QStringList expected;
  for (const char* d : dates)
    expected << QString::fromUtf8("***   Версия от ") + QString::fromLatin1(d) + QStringLiteral("  ***");
  expected.last() = QString::fromUtf8("***   Версия от 23.06.2011   ***");

  QStringList headings;
  std::vector<int> rows;
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].contains(QLatin1String("***"))) {
      headings << lines[i];
      rows.push_back(i);
    }
  }
  EXPECT_EQ(headings.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());
  ASSERT_EQ(rows.size(), std::size(dates));
  EXPECT_EQ(rows.front(), 0);

  // Where a change landed: the match is the newest, the first version the oldest.
  const std::pair<const char*, int> landmarks[] = {
      {"матч 501 на двоих", 0}, {"турнирные таблицы", 1}, {"«История версий»", 2}, {"Первая версия", 10}};
  for (const auto& [text, entry] : landmarks) {
    const int end = entry + 1 < int(rows.size()) ? rows[entry + 1] : int(lines.size());
    EXPECT_TRUE(lines.mid(rows[entry], end - rows[entry]).join('\n').contains(QString::fromUtf8(text))) << text;
  }
  for (size_t e = 0; e < rows.size(); ++e) {
    const int end = e + 1 < rows.size() ? rows[e + 1] : int(lines.size());
    int content = 0;
    for (int i = rows[e] + 1; i < end; ++i) content += lines[i].trimmed().isEmpty() ? 0 : 1;
    EXPECT_GE(content, 1) << dates[e];
  }
}

TEST_F(InfoWindowsTest, HistoryEditsAreNotKept) {
  QString original;
  {
    TForm_history first;
    first.ShowModal();
    auto* memo = Child<QPlainTextEdit>(first, "Memo1");
    original = memo->toPlainText();
    QTest::keyClicks(memo, "xyz");
    EXPECT_NE(memo->toPlainText(), original);
    first.Close();
  }
  TForm_history next;
  EXPECT_EQ(Child<QPlainTextEdit>(next, "Memo1")->toPlainText(), original);
}

}  // namespace
