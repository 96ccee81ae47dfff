// Writes the cells of a workbook model as an .xlsx file.
#pragma once

#include <QChar>
#include <QString>

#include "automation/WorkbookModel.h"

namespace automation {

// Texts that read as numbers under the decimal separator become number cells
// shown with as many decimals as written. Numbers in the file never depend on
// the C library's numeric locale. EOleError when the file cannot be written.
void WriteXlsx(const QString& path, const SheetContents& sheet, QChar decimalSeparator);

}  // namespace automation
