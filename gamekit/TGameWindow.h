// The base of every game window: leaving it (the statistics file, the exit
// question, the export, the reset and the closing) is one sequence here; a
// window gives only its own answers through the hooks below.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "darts/SheetBlock.h"
#include "ui/Forms.h"

class QCloseEvent;

namespace gamekit {

class TGameWindow : public ui::TForm {
  Q_OBJECT
 public:
  explicit TGameWindow(QWidget* parent = nullptr);

 protected:
  // What leaving finds.
  enum class Played {
    Nothing,   // the window resets and closes at once, nothing written or asked
    AskFirst,  // nothing to save: the Yes/No question; Yes closes, No stays
    Record,    // the file (where the window writes one), then the exit question
  };
  virtual Played WhatWasPlayed() const = 0;
  // The folder of the window's statistics files; empty when it writes none.
  virtual QString StatisticsFolder() const { return {}; }
  // The file's lines, each ending as it is written (cells followed by ";"),
  // without line ends; `stamp` is the time stamp the file is named by.
  virtual QStringList StatisticsLines(const QString& stamp) const {
    (void)stamp;
    return {};
  }
  // The statistics file was written with those lines.
  virtual void StatisticsWritten() {}
  // The block a Yes exports; none when there is nothing to export.
  virtual std::optional<darts::SheetBlock> Sheet() const = 0;
  // The window's own clearing before it closes after leaving.
  virtual void ResetGame() {}
  // Leaving was answered with Cancel or No to the Yes/No question, a Yes
  // saved nothing, or an error ended it: the game goes on; the window puts
  // back what the question took (enabled buttons, the focus).
  virtual void StayInGame() {}

  // The exit button's whole handler. Errors on the way are reported and end
  // it, the window staying as it is.
  void Leave();
  // The export of Sheet() to a new workbook; false when it did not happen (the
  // failure already shown).
  bool ExportSheet();

  // The close box and Alt+F4 of a window that keeps its Close: with a record
  // to save they leave as the exit button does; otherwise the window closes.
  void closeEvent(QCloseEvent* e) override;

 private:
  bool WriteStatistics();
};

}  // namespace gamekit
