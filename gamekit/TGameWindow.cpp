#include "gamekit/TGameWindow.h"

#include <QCloseEvent>

#include "gamekit/GameConventions.h"
#include "gamekit/GameWindow.h"
#include "ui/Dialogs.h"

void InitGamePictures();  // the pictures of the game windows' buttons

namespace gamekit {

TGameWindow::TGameWindow(QWidget* parent) : ui::TForm(parent) { InitGamePictures(); }

bool TGameWindow::WriteStatistics() {
  const QString folder = StatisticsFolder();
  if (folder.isEmpty()) return false;
  StatisticsFile file(folder);
  for (const QString& line : StatisticsLines(file.Stamp())) file.AddRawLine(line);
  if (!file.Write()) return false;
  StatisticsWritten();
  return true;
}

bool TGameWindow::ExportSheet() {
  const std::optional<darts::SheetBlock> block = Sheet();
  return !block || ExportBlock(*block);
}

void TGameWindow::Leave() {
  bool ended = false;  // closed, or staying by the player's answer
  ui::RunHandler([&] {
    switch (WhatWasPlayed()) {
      case Played::Nothing:
        ResetGame();
        Close();
        ended = true;
        return;
      case Played::AskFirst:
        if (ExitYesNoDialog() == ui::mrYes)
          Close();
        else
          StayInGame();
        ended = true;
        return;
      case Played::Record:
        break;
    }
    const bool saved = WriteStatistics();
    const int answer = ExitConfirmDialog();
    // A Yes whose export did not happen while no file holds the record keeps
    // the game, so that nothing is lost.
    if (answer == ui::mrCancel || (answer == ui::mrYes && !ExportSheet() && !saved)) {
      StayInGame();
      ended = true;
      return;
    }
    ResetGame();
    Close();
    ended = true;
  });
  // An error on the way was reported: the game goes on as after a Cancel.
  if (!ended) StayInGame();
}

void TGameWindow::closeEvent(QCloseEvent* e) {
  if (e->spontaneous() && HasCloseCommand() && WhatWasPlayed() == Played::Record) {
    e->ignore();
    Leave();
    return;
  }
  ui::TForm::closeEvent(e);
}

}  // namespace gamekit
