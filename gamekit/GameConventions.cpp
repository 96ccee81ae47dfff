#include "gamekit/GameConventions.h"

#include <iconv.h>

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

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

void StatisticsFile::AddStampLine() { lines_ << stamp_; }

void StatisticsFile::AddRawLine(const QString& line) { lines_ << line; }

void StatisticsFile::AddCells(const QStringList& cells) {
  QString line;
  for (const QString& cell : cells) {
    line += cell;
    line += QChar(';');
  }
  lines_ << line;
}

QByteArray StatisticsFile::Bytes() const {
  QString text;
  for (const QString& line : lines_) {
    text += line;
    text += QStringLiteral("\r\n");
  }
  return ToCp1251(text);
}

bool StatisticsFile::Write() const {
  const QString name = FileName();
  QFileInfo existing(name);
  // A file of the same name that may not be written stays as it is.
  if (existing.exists() && (!existing.isFile() || !existing.isWritable())) return false;
  // Written whole under a temporary name and put in place at the end, so a
  // failed write never leaves a truncated file under the final name.
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = Bytes();
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    file.commit();
    return false;
  }
  return file.commit();
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

int ExitWithQuestion(const ExitSteps& steps) {
  if (steps.writeFile) steps.writeFile();
  const int answer = ExitConfirmDialog();
  if (answer == ui::mrYes) {
    // An automation error after the start leaves the window as it is.
    if (steps.exportToSpreadsheet) steps.exportToSpreadsheet();
    if (steps.reset) steps.reset();
    if (steps.close) steps.close();
  } else if (answer == ui::mrNo) {
    if (steps.reset) steps.reset();
    if (steps.close) steps.close();
  }
  return answer;
}

std::shared_ptr<automation::Application> StartSpreadsheet() {
  try {
    const ui::Seams& s = ui::seams();
    return automation::CreateOleObject(QStringLiteral("Excel.Application"),
                                       automation::Host{s.decimalSeparator, s.spreadsheetProgram, s.startDetached});
  } catch (...) {
    ui::ErrorBox(QStringLiteral("Невозможно запустить Excel"), QStringLiteral("Ошибка"));
    return nullptr;
  }
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
