"""Reads back a workbook written by the automation model and prints what a
reader sees in its first worksheet as JSON: values with their types, merged
ranges, column widths and each cell's fill, font and borders."""
import json
import sys

import openpyxl
from openpyxl.utils import get_column_letter


def color_of(color):
    if color is None:
        return None
    if color.type == "auto":
        return "auto"
    if color.type == "rgb":
        return color.rgb
    return "%s:%s" % (color.type, color.value)


def side_of(side):
    if side is None or side.style is None:
        return None
    return [side.style, color_of(side.color) or "auto"]


def main(path):
    wb = openpyxl.load_workbook(path)
    ws = wb.worksheets[0]
    out = {
        "sheets": len(wb.worksheets),
        "title": ws.title,
        "merges": sorted(str(r) for r in ws.merged_cells.ranges),
        "widths": {},
        "cells": {},
    }
    for letter, dim in ws.column_dimensions.items():
        if dim.customWidth or dim.width:
            for col in range(dim.min or 0, (dim.max or 0) + 1):
                if col:
                    out["widths"][get_column_letter(col)] = dim.width
    for row in ws.iter_rows():
        for cell in row:
            covered = type(cell).__name__ == "MergedCell"
            fill = None
            if cell.fill is not None and cell.fill.fill_type == "solid":
                fill = color_of(cell.fill.fgColor)
            out["cells"][cell.coordinate] = {
                "covered": covered,
                "value": cell.value,
                "type": cell.data_type,
                "fill": fill,
                "bold": bool(cell.font.b),
                "size": cell.font.sz,
                "h": cell.alignment.horizontal,
                "v": cell.alignment.vertical,
                "left": side_of(cell.border.left),
                "right": side_of(cell.border.right),
                "top": side_of(cell.border.top),
                "bottom": side_of(cell.border.bottom),
            }
    json.dump(out, sys.stdout, ensure_ascii=False, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv[1])
