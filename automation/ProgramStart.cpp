// Starting the spreadsheet program: finding it, the export folders of the
// workbooks handed to it, and the automation object itself.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <vector>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "automation/WorkbookModel.h"
#include "automation/XlsxWriter.h"

namespace automation {

namespace {

const QString kWorkbookName = QStringLiteral("Книга1.xlsx");

QString FindProgram(const QString& name) {
  if (seams().findProgram) return seams().findProgram(name);
  return QStandardPaths::findExecutable(name);
}

// Removes an export folder left by an earlier export: the workbook, then the
// folder if nothing else is in it. A folder with a spreadsheet program's lock
// file is still open and stays.
void RemoveExportFolder(const QString& path) {
  QDir folder(path);
  const QStringList entries = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  for (const QString& name : entries)
    if (name.startsWith(QStringLiteral(".~lock."))) return;
  if (entries.contains(kWorkbookName)) folder.remove(kWorkbookName);
  QDir().rmdir(path);
}

// Export folders of this user older than a day; the spreadsheet program has
// long since taken the workbook as a new document. The temp folder may hold
// thousands of entries, so it is read once and only our folders are looked at.
// A session that exports often looks again at most once an hour.
void RemoveStaleExportFolders() {
  const QString tempPath = QDir::tempPath();
  static std::map<QString, time_t> lastLook;  // by temp folder
  const time_t now = ::time(nullptr);
  const auto last = lastLook.find(tempPath);
  if (last != lastLook.end() && now >= last->second && now - last->second < 60 * 60) return;
  lastLook[tempPath] = now;
  DIR* temp = ::opendir(QFile::encodeName(tempPath).constData());
  if (!temp) return;
  const time_t limit = now - 24 * 60 * 60;
  const size_t prefixLength = std::strlen(kExportFolderPrefix);
  QStringList stale;
  while (const dirent* entry = ::readdir(temp)) {
    if (std::strncmp(entry->d_name, kExportFolderPrefix, prefixLength) != 0) continue;
    struct stat st;
    if (::fstatat(::dirfd(temp), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || st.st_mtime >= limit) continue;
    stale << tempPath + QChar('/') + QFile::decodeName(entry->d_name);
  }
  ::closedir(temp);
  for (const QString& folder : stale) RemoveExportFolder(folder);
}

Host WithDefaults(Host host) {
  if (host.decimalSeparator.isNull()) {
    const QString sep = QLocale::system().decimalPoint();
    host.decimalSeparator = sep.isEmpty() ? QChar('.') : sep.at(0);
  }
  if (!host.startDetached) host.startDetached = StartWatched;
  return host;
}

// The exit codes of the watcher process: the program is running or ended
// well; it could not be started or ended with an error.
constexpr int kWatchedWell = 0;
constexpr int kWatchedFailed = 1;

long long Milliseconds(const timespec& t) { return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000; }

// The watcher, between fork and _exit: only async-signal-safe calls. It starts
// the program as its own child and waits for it at most kStartWatchMs; a
// program still running then is left to the system, which reaps it.
[[noreturn]] void Watch(char* const argv[]) {
  ::setsid();
  struct sigaction deflt {};
  deflt.sa_handler = SIG_DFL;
  ::sigemptyset(&deflt.sa_mask);
  ::sigaction(SIGCHLD, &deflt, nullptr);
  sigset_t childEnded, none;
  ::sigemptyset(&childEnded);
  ::sigaddset(&childEnded, SIGCHLD);
  ::sigemptyset(&none);
  ::sigprocmask(SIG_BLOCK, &childEnded, nullptr);
  const pid_t program = ::fork();
  if (program < 0) ::_exit(kWatchedFailed);
  if (program == 0) {
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(argv[0], argv);
    ::_exit(127);
  }
  timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const long long deadline = Milliseconds(now) + kStartWatchMs;
  for (;;) {
    int status = 0;
    if (::waitpid(program, &status, WNOHANG) == program)
      ::_exit(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? kWatchedWell : kWatchedFailed);
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const long long left = deadline - Milliseconds(now);
    if (left <= 0) ::_exit(kWatchedWell);
    const timespec wait{static_cast<time_t>(left / 1000), static_cast<long>(left % 1000) * 1000000};
    ::sigtimedwait(&childEnded, nullptr, &wait);
  }
}

}  // namespace

void Workbook::Show() {
  if (shown_ || !added_) return;
  RemoveStaleExportFolders();
  QTemporaryDir dir(QDir::tempPath() + QChar('/') + QString::fromLatin1(kExportFolderPrefix) +
                    QStringLiteral("XXXXXX"));
  if (!dir.isValid()) throw EOleError(QStringLiteral("Не удалось создать временную папку"));
  // The spreadsheet program reads the file after this returns; the folder
  // stays until a later export finds it old.
  dir.setAutoRemove(false);
  const QString path = dir.filePath(kWorkbookName);
  auto removeAll = [&] { QDir(dir.path()).removeRecursively(); };
  try {
    WriteXlsx(path, sheet_, host_.decimalSeparator);
  } catch (...) {
    removeAll();
    throw;
  }
  QStringList args = command_.mid(1);
  args << path;
  const bool started = !command_.isEmpty() && host_.startDetached(command_.first(), args);
  if (!started) {
    removeAll();
    throw EStartError(QStringLiteral("Не удалось запустить ") + command_.value(0));
  }
  shown_ = true;
  file_ = path;
}

bool StartWatched(const QString& program, const QStringList& args) {
  const QString path = program.contains(QChar('/')) ? program : QStandardPaths::findExecutable(program);
  if (path.isEmpty()) return false;
  // Everything the new processes need is made before the fork.
  std::vector<QByteArray> words{QFile::encodeName(path)};
  for (const QString& arg : args) words.push_back(QFile::encodeName(arg));
  std::vector<char*> argv;
  for (QByteArray& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const pid_t watcher = ::fork();
  if (watcher < 0) return false;
  if (watcher == 0) Watch(argv.data());
  int status = 0;
  while (::waitpid(watcher, &status, 0) < 0) {
    // Reaped already by the system (children ignored): nothing to tell, and
    // the program was started.
    if (errno != EINTR) return errno == ECHILD;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == kWatchedWell;
}

Seams& seams() {
  static Seams s;
  return s;
}

QStringList SpreadsheetCommand(const Host& host) {
  if (host.spreadsheetProgram) {
    QStringList fromHost = host.spreadsheetProgram();
    if (!fromHost.isEmpty()) return fromHost;
  }
  const QString env = qEnvironmentVariable("VANTREL_SPREADSHEET").trimmed();
  if (!env.isEmpty()) {
    QStringList words = QProcess::splitCommand(env);
    // The program the user named, or none: a command that cannot be started
    // makes the start fail now, before anything is written.
    if (!words.isEmpty()) return FindProgram(words.first()).isEmpty() ? QStringList() : words;
  }
  // A new untitled document from the file as template, so closing asks to save.
  struct Known {
    const char* program;
    QStringList args;
  };
  const Known known[] = {
      {"libreoffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
      {"localc", {QStringLiteral("-n")}},
      {"soffice", {QStringLiteral("--calc"), QStringLiteral("-n")}},
      {"xdg-open", {}},
  };
  for (const Known& k : known) {
    const QString path = FindProgram(QString::fromLatin1(k.program));
    if (!path.isEmpty()) return QStringList{path} + k.args;
  }
  return {};
}

std::shared_ptr<Application> CreateOleObject(const QString& progId, Host host) {
  if (progId.compare(QStringLiteral("Excel.Application"), Qt::CaseInsensitive) != 0)
    throw EOleError(QStringLiteral("Invalid class string"));
  QStringList command = SpreadsheetCommand(host);
  if (command.isEmpty()) throw EOleError(QStringLiteral("Не найдена программа электронных таблиц"));
  auto app =
      std::make_shared<Application>(std::make_shared<Workbook>(std::move(command), WithDefaults(std::move(host))));
  if (seams().created) seams().created(app);
  return app;
}

}  // namespace automation
