// The empty tournament sheets as they are laid into a new workbook: a
// round-robin group table and a knock-out bracket.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace automation {
class Application;
}

namespace tournament {

// Rows of the round-robin table of n participants: a header, two rows per
// participant, the round row, n / 2 pairing rows and four footer rows.
int RoundRobinRows(int n);
// Its columns: number, name, one per participant, points and place.
int RoundRobinColumns(int n);

// Ranges merged for each participant (number, name, own result cell), then
// the place column, top to bottom; in A1 notation.
QStringList ParticipantMerges(int n);
// Ranges merged in the footer: the two empty full-width rows, then the group
// line, then the line of the group's leader.
QStringList FooterMerges(int n);

// Lays the round-robin table of n (4, 6 or 8) participants into a new
// workbook of the started spreadsheet program, printed on one page, and shows
// it. False when the program could not be started or failed at once (its box
// shown); other automation errors travel on to the caller.
bool WriteRoundRobinSheet(automation::Application& excel, int n);

// Lays the knock-out bracket of s (8, 16, 32 or 64) participants, with the
// given number of sheet columns, into a new workbook, printed on one page, and
// shows it; returns as above.
bool WriteBracketSheet(automation::Application& excel, int s, int columns);

// Whether a sheet of these column widths (characters, from column A) and rows
// of a bold font of fontSize points is wider than tall on paper.
bool WiderThanTall(const std::vector<double>& widths, int rows, double fontSize);

// "A", "B", ..., "Z", "AA", ...
QString ColumnLetters(int col);

}  // namespace tournament
