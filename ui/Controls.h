// The few controls whose behaviour Qt lacks: the masked score field, the string
// grid whose cells exist beyond its row count, and a paint box whose canvas keeps
// what is drawn.
#pragma once

#include "ui/Canvas.h"
#include "ui/MaskEdit.h"
#include "ui/PaintBox.h"
#include "ui/StringGrid.h"
