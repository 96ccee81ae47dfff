#include "gamekit/GameConventions.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "automation/Excel.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/Seams.h"
#include "ui/SysUtils.h"

namespace gamekit {

QString StampText() { return StampText(ui::Now()); }

QString StampText(const QDateTime& when) {
  return ui::FormatDateTime(QStringLiteral("yyyy.mm.dd - hh:mm:ss:nn"), when);
}

QString StatisticsFileName(const QString& stamp, const QString& folder) {
  // Characters counted from 1: year 1-4, month 6-7, day 9-10, hour 14-15,
  // minutes 17-18, seconds 20-21.
  auto part = [&stamp](int from, int count) { return stamp.mid(from - 1, count); };
  QString base = part(1, 4) + part(6, 2) + part(9, 2) + QChar('_') + part(14, 2) + part(17, 2) + part(20, 2) +
                 QChar('_') + folder + QStringLiteral(".csv");
  return ui::GetCurrentDir() + QChar('/') + folder + QChar('/') + base;
}

namespace {

// Length of the UTF-8 sequence that starts with the given byte (1 for a stray byte).
size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

class Cp1251Converter {
 public:
  Cp1251Converter() : cd_(iconv_open("WINDOWS-1251", "UTF-8")) {}
  ~Cp1251Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Cp1251Converter(const Cp1251Converter&) = delete;
  Cp1251Converter& operator=(const Cp1251Converter&) = delete;

  QByteArray Convert(const QString& text) {
    QByteArray in = text.toUtf8();
    QByteArray out;
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return Fallback(text);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // Every character takes at least one UTF-8 byte and exactly one byte here.
    out.resize(in.size() + 1);
    char* src = in.data();
    size_t srcLeft = static_cast<size_t>(in.size());
    char* dst = out.data();
    size_t dstLeft = static_cast<size_t>(out.size());
    while (srcLeft > 0) {
      size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == EILSEQ || errno == EINVAL) {
        // No form in the code page: a question mark stands for the character.
        size_t skip = std::min(Utf8Length(static_cast<unsigned char>(*src)), srcLeft);
        src += skip;
        srcLeft -= skip;
        *dst++ = '?';
        --dstLeft;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
      } else {
        break;  // E2BIG cannot happen with the size chosen above
      }
    }
    out.resize(out.size() - static_cast<qsizetype>(dstLeft));
    return out;
  }

 private:
  static QByteArray Fallback(const QString& text) {
    QByteArray out;
    for (QChar c : text) out.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    return out;
  }
  iconv_t cd_;
};

}  // namespace

QByteArray ToCp1251(const QString& text) {
  thread_local Cp1251Converter converter;
  return converter.Convert(text);
}

StatisticsFile::StatisticsFile(const QString& folder) : folder_(folder), stamp_(StampText()) {}

QString StatisticsFile::FileName() const { return StatisticsFileName(stamp_, folder_); }

void StatisticsFile::AddRawLine(const QString& line) { lines_ << line; }

QByteArray StatisticsFile::Bytes() const {
  QString text;
  for (const QString& line : lines_) {
    text += line;
    text += QStringLiteral("\r\n");
  }
  return ToCp1251(text);
}

namespace {

// Writes the bytes into a new temporary file next to the final name and checks
// that all of them are on the disk. Returns 0 or the errno of the failed step.
int WriteTemporary(const QByteArray& folder, const QByteArray& base, const QByteArray& bytes, QByteArray& temp) {
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = folder + "/." + base + "." + QByteArray::number(QRandomGenerator::global()->generate(), 36);
    fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      temp.clear();
      return errno;
    }
  }
  int error = 0;
  for (qsizetype done = 0; done < bytes.size() && !error;) {
    const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n > 0)
      done += n;
    else if (n == 0 || errno != EINTR)
      error = n == 0 ? EIO : errno;
  }
  struct stat st;
  if (!error && ::fstat(fd, &st) != 0) error = errno;
  if (!error && st.st_size != bytes.size()) error = EIO;
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (error) {
    ::unlink(temp.constData());
    temp.clear();
  }
  return error;
}

// Gives the temporary file the name, only where no file of that name is.
// Returns 0 or the errno (EEXIST when the name is taken).
int ClaimName(const QByteArray& temp, const QByteArray& name) {
  if (::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
  // A file system without that kind of rename: a second link, which also never
  // replaces a file, then the temporary name goes.
  if (::link(temp.constData(), name.constData()) != 0) return errno;
  ::unlink(temp.constData());
  return 0;
}

// "<base>_<n>.csv" for the n-th file of one second (n from 2).
QString NumberedName(const QString& name, int n) {
  if (n == 1) return name;
  const qsizetype dot = name.lastIndexOf(QChar('.'));
  return name.left(dot) + QChar('_') + QString::number(n) + name.mid(dot);
}

constexpr int kMaxNumbered = 999;

}  // namespace

QString WriteFailureText(const QString& fileName, int error) {
  QString reason;
  switch (error) {
    case ENOSPC:
      reason = QStringLiteral("на диске нет свободного места");
      break;
    case EDQUOT:
      reason = QStringLiteral("превышена дисковая квота");
      break;
    case EFBIG:
      reason = QStringLiteral("превышен допустимый размер файла");
      break;
    case EACCES:
    case EPERM:
      reason = QStringLiteral("нет права записи в папку");
      break;
    case EROFS:
      reason = QStringLiteral("диск доступен только для чтения");
      break;
    case ENOTDIR:
      reason = QStringLiteral("на месте папки находится файл");
      break;
    case ENOENT:
      reason = QStringLiteral("папка не найдена");
      break;
    case EEXIST:
      reason = QStringLiteral("все имена файлов этой секунды заняты");
      break;
    case EIO:
      reason = QStringLiteral("ошибка ввода-вывода");
      break;
    default:
      reason = QStringLiteral("системная ошибка %1 (%2)").arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
      break;
  }
  return QStringLiteral("Не удалось записать файл статистики\n%1\nПричина: %2.").arg(fileName, reason);
}

bool StatisticsFile::Write() {
  written_.clear();
  const QString name = FileName();
  const QString folder = QFileInfo(name).absolutePath();
  const QByteArray folderPath = QFile::encodeName(folder);
  int error = 0;
  // The folder is made again when it is missing.
  if (::mkdir(folderPath.constData(), 0777) != 0 && errno != EEXIST) error = errno;
  QByteArray temp;
  if (!error) error = WriteTemporary(folderPath, QFile::encodeName(QFileInfo(name).fileName()), Bytes(), temp);
  for (int n = 1; !error && written_.isEmpty(); ++n) {
    const QString candidate = NumberedName(name, n);
    error = ClaimName(temp, QFile::encodeName(candidate));
    if (!error) written_ = candidate;
    if (error == EEXIST && n < kMaxNumbered) error = 0;
  }
  if (error) {
    if (!temp.isEmpty()) ::unlink(temp.constData());
    ui::ErrorBox(WriteFailureText(name, error), QStringLiteral("Ошибка"));
    return false;
  }
  // The new name is made lasting too.
  const int dir = ::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

const char* const kExitConfirmText =
    "Yes -       Выход из игры с сохранением данных в Excel.\r"
    "No -        Выход из игры  без сохранения в Excel.\r\n"
    "Cancel - Остаться в игре.";

const char* const kExitYesNoText =
    "Yes -    Выход из игры.\r"
    "No -    Остаться в игре.";

int ExitConfirmDialog() {
  return ui::MessageDlg(QString::fromUtf8(kExitConfirmText), ui::mtConfirmation, ui::mbYes | ui::mbNo | ui::mbCancel,
                        0);
}

int ExitYesNoDialog() {
  return ui::MessageDlg(QString::fromUtf8(kExitYesNoText), ui::mtConfirmation, ui::mbYes | ui::mbNo, 0);
}

namespace {

void CannotStartBox() { ui::ErrorBox(QStringLiteral("Невозможно запустить Excel"), QStringLiteral("Ошибка")); }

}  // namespace

std::shared_ptr<automation::Application> StartSpreadsheet() {
  try {
    const ui::Seams& s = ui::seams();
    return automation::CreateOleObject(QStringLiteral("Excel.Application"),
                                       automation::Host{s.decimalSeparator, s.spreadsheetProgram, s.startDetached});
  } catch (...) {
    CannotStartBox();
    return nullptr;
  }
}

bool ShowSpreadsheet(automation::Application& excel) {
  try {
    excel.Visible(true);
  } catch (const automation::EStartError&) {
    CannotStartBox();
    return false;
  }
  return true;
}

void GridBorders(automation::Range& block) {
  for (int index = 1; index <= 4; ++index) {
    automation::Border border = block.Borders(index);
    border.LineStyle(1);
    border.Weight(2);
    border.ColorIndex(0);
  }
}

FunctionKeyMap::FunctionKeyMap(std::initializer_list<Entry> entries) : entries_(entries) {}

void FunctionKeyMap::Add(int key, std::vector<QAbstractButton*> buttons) {
  entries_.push_back(Entry{key, std::move(buttons)});
}

bool FunctionKeyMap::Handle(int key) const {
  auto tryEntry = [key](const Entry& entry) {
    if (entry.key != key) return false;
    for (QAbstractButton* button : entry.buttons) {
      if (button && ui::Enabled(button)) {
        if (button->isEnabled()) {
          button->click();
        } else {
          // Enabled itself inside a disabled container: its handler still runs.
          Q_EMIT button->clicked(button->isChecked());
        }
        return true;
      }
    }
    return false;
  };
  // The exit key is tested before every other key.
  for (const Entry& entry : entries_)
    if (entry.key == ui::VK_F10 && tryEntry(entry)) return true;
  for (const Entry& entry : entries_)
    if (entry.key != ui::VK_F10 && tryEntry(entry)) return true;
  return false;
}

}  // namespace gamekit
