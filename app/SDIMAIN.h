// The main window: the menu that opens every game and tool, the data folders
// under the current directory and a background picture from its "img" folder.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

namespace Ui {
class TSDIAppForm;
}
class QTimer;

// The data folders under the current directory, in the order they are made
// ("tournament" before "tournament/img", which lives in it).
inline constexpr const char* kDataFolders[] = {
    "501", "br",  "27",  "60",  "10",   "50",  "kriket",     "ddv",           "301",
    "201", "170", "601", "701", "1001", "img", "tournament", "tournament/img"};
inline constexpr int kDataFolderCount = int(sizeof(kDataFolders) / sizeof(kDataFolders[0]));

// One pass over the data folders under `root`: for step i = 1..17, first runs
// `atStep(i)` when i == `listStep`, then makes the folder of step i (one level)
// unless an entry of that name exists; a folder that cannot be made is skipped.
// Returns the folders made, relative to `root`, in order.
QStringList EnsureDataFolders(const QString& root, int listStep, const std::function<void()>& atStep);

// The names of the pictures in `folder` that match "*.jpg" without regard to
// case, in the order the file system returns them; sub-folders and hidden entries
// count, "." and ".." do not. A name holding a line break is left out (it could
// not stand as one line of the list). No folder: an empty list.
QStringList ListPictures(const QString& folder);

// The random generator of the background pick: starts at 1 and is never reseeded,
// so the same folder shows the same pictures in the same order in every run.
class PictureRandom {
 public:
  // The next value, 0 to 32767.
  int Next() {
    state_ = state_ * 22695477u + 1u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }
  std::uint32_t State() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

// Shown at once, so its form is built at its creation.
class TSDIAppForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TSDIAppForm(QWidget* parent = nullptr);
  ~TSDIAppForm() override;

  Ui::TSDIAppForm& Controls() { return *ui_; }

 public slots:
  void FormShow();
  void Timer1Timer();

  void FileExit1Execute();
  void N5011Click();
  void N7Click();
  void N271Click();
  void N601Click();
  void N101Click();
  void N50Bull1Click();
  void N8Click();
  void DDV1Click();
  void N13Click();
  void N11Click();
  void N4Click();
  void N9Click();
  void HelpAbout1Execute();
  void N14Click();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void ListPicturesIntoMemo(const QString& cwd);
  void PickPicture(const QString& cwd);
  int MemoLineCount() const;

  std::unique_ptr<Ui::TSDIAppForm> ui_;
  QTimer* Timer1 = nullptr;
  PictureRandom random_;
};

extern TSDIAppForm* SDIAppForm;
