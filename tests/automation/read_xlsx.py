# Prints what a reader sees in the first worksheet of a written workbook as JSON:
# values with types and number formats, merges, column widths, the page set-up,
# each cell's fill, font and borders, and ("raw") the stored fill and borders of every cell, also
# of those a merge covers, which the reader's cell objects do not show.
import json
import sys
import xml.etree.ElementTree as ET
import zipfile

import openpyxl
from openpyxl.utils import get_column_letter

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
EDGES = ("left", "right", "top", "bottom")


def color_of(color):
    if color is None or color.type == "auto":
        return "auto" if color is not None else None
    return color.rgb if color.type == "rgb" else "%s:%s" % (color.type, color.value)


def side_of(side):
    return None if side is None or side.style is None else [side.style, color_of(side.color) or "auto"]


def raw_cells(path):
    with zipfile.ZipFile(path) as z:
        styles = ET.fromstring(z.read("xl/styles.xml"))
        sheet = ET.fromstring(z.read("xl/worksheets/sheet1.xml"))
    patterns = [fill.find("m:patternFill", NS) for fill in styles.find("m:fills", NS)]
    fills = [p.find("m:fgColor", NS).get("rgb") if p is not None and p.get("patternType") == "solid"
             and p.find("m:fgColor", NS) is not None else None for p in patterns]
    borders = [{edge: (e.get("style") if e is not None else None) for edge, e in
                ((edge, border.find("m:" + edge, NS)) for edge in EDGES)} for border in styles.find("m:borders", NS)]
    xfs = list(styles.find("m:cellXfs", NS))
    out = {}
    for c in sheet.iter("{%s}c" % NS["m"]):
        xf = xfs[int(c.get("s", "0"))]
        out[c.get("r")] = dict(fill=fills[int(xf.get("fillId", "0"))], **borders[int(xf.get("borderId", "0"))])
    return out


def main(path):
    ws = openpyxl.load_workbook(path).worksheets[0]
    out = {"merges": sorted(str(r) for r in ws.merged_cells.ranges), "widths": {}, "cells": {}, "raw": raw_cells(path)}
    # How the sheet prints: a fit to pages counts only where the sheet asks for
    # it; a page count left out of the file is 1.
    setup, fit = ws.page_setup, ws.sheet_properties.pageSetUpPr
    fitted = bool(fit is not None and fit.fitToPage)
    out["page"] = dict(orientation=setup.orientation or "default", scale=int(setup.scale or 100),
                       fit=[int(setup.fitToWidth or 1), int(setup.fitToHeight or 1)] if fitted else None)
    for dim in ws.column_dimensions.values():
        for col in range(dim.min or 0, (dim.max or 0) + 1):
            if col and (dim.customWidth or dim.width):
                out["widths"][get_column_letter(col)] = dim.width
    for cell in (cell for row in ws.iter_rows() for cell in row):
        solid = cell.fill is not None and cell.fill.fill_type == "solid"
        out["cells"][cell.coordinate] = dict(
            covered=type(cell).__name__ == "MergedCell", value=cell.value, type=cell.data_type,
            format=cell.number_format, fill=color_of(cell.fill.fgColor) if solid else None,
            bold=bool(cell.font.b), size=cell.font.sz, h=cell.alignment.horizontal, v=cell.alignment.vertical,
            **{edge: side_of(getattr(cell.border, edge)) for edge in EDGES})
    json.dump(out, sys.stdout, ensure_ascii=False, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv[1])
