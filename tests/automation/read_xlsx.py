"""Reads back a workbook written by the automation model and prints what a
reader sees in its first worksheet as JSON: values with their types, merged
ranges, column widths and each cell's fill, font and borders."""
import json
import sys
import xml.etree.ElementTree as ET
import zipfile

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


NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def raw_cells(path):
    """The fill colour and the four border styles of every cell as stored in
    the file, also of the cells a merge covers (which a reader's cell objects
    do not show as stored)."""
    with zipfile.ZipFile(path) as z:
        styles = ET.fromstring(z.read("xl/styles.xml"))
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
    fills = []
    for fill in styles.find("m:fills", NS):
        pattern = fill.find("m:patternFill", NS)
        fg = pattern.find("m:fgColor", NS) if pattern is not None else None
        solid = pattern is not None and pattern.get("patternType") == "solid"
        fills.append(fg.get("rgb") if solid and fg is not None else None)
    borders = []
    for border in styles.find("m:borders", NS):
        edges = {}
        for edge in ("left", "right", "top", "bottom"):
            e = border.find("m:" + edge, NS)
            edges[edge] = e.get("style") if e is not None else None
        borders.append(edges)
    xfs = [xf for xf in styles.find("m:cellXfs", NS)]
    out = {}
    for c in sheet.iter("{%s}c" % NS["m"]):
        xf = xfs[int(c.get("s", "0"))]
        cell = {"fill": fills[int(xf.get("fillId", "0"))]}
        cell.update(borders[int(xf.get("borderId", "0"))])
        out[c.get("r")] = cell
    return out


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
                "format": cell.number_format,
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
    out["raw"] = raw_cells(path)
    json.dump(out, sys.stdout, ensure_ascii=False, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv[1])
