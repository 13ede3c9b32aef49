#!/usr/bin/env python3
"""Turns label sheet templates (the XML files of Debian's glabels-data package) into the label
sheet table of the factory form catalogue, factory/catalogue/label-sheets.tsv.

Run once by hand when the table is to be refreshed; the build reads only the committed table.

    tools/catalogue/import_label_sheets.py \
        [/usr/share/libglabels-3.0/templates] [factory/catalogue/label-sheets.tsv]

Kept: rectangular labels on A4 (or a sheet of a stated size) with one regular grid of pieces,
large enough for an address (at least 35 x 16 mm), of the makers below. Equivalent products
(templates that name another with "equiv") are folded into the paper codes of the one they copy.
Layout IDs already in the table are kept for the same maker and product, so that a refresh never
renumbers a form a user has copied or printed from; new sheets get the next free ID.
"""

import csv
import os
import re
import sys
import xml.etree.ElementTree as ET

# Template file, brand in the file, maker name shown in the catalogue.
MAKERS = [
    ("hisago-templates.xml", "Hisago", "ヒサゴ"),
    ("avery-iso-templates.xml", "Avery", "Avery"),
    ("zweckform-iso-templates.xml", "Zweckform", "Zweckform"),
]

FIRST_ID = 1001
LAST_ID = 1999
MIN_WIDTH_MM = 35.0
MIN_HEIGHT_MM = 16.0
# Pieces may reach this far past the paper's edge through rounding in the templates.
EDGE_TOLERANCE_MM = 0.5
NOT_FOR_ADDRESSES = re.compile(r"CD|DVD|Diskette|Video|Lever Arch|Business Card|Badge|Booklet|Inlet",
                               re.IGNORECASE)
PAPER_MM = {"A4": (210.0, 297.0)}
COLUMNS = ["id", "maker", "parts", "paper", "orient", "nx", "ny", "x0", "y0", "dx", "dy", "w", "h",
           "r", "description"]


def to_mm(value):
    """A glabels length ("12.5mm", "1in", "36pt" or a bare number of points) in millimetres."""
    match = re.fullmatch(r"\s*([0-9.]+)\s*(mm|cm|in|pt)?\s*", value or "0")
    if not match:
        raise ValueError(f"not a length: {value!r}")
    number = float(match.group(1))
    unit = match.group(2) or "pt"
    return number * {"mm": 1.0, "cm": 10.0, "in": 25.4, "pt": 25.4 / 72.0}[unit]


def mm_text(value):
    return f"{round(value, 2):g}"


def sheet_of(template):
    """The sheet row of a template, or None when it is not an address label sheet."""
    size = template.get("size")
    if size in PAPER_MM:
        paper_w, paper_h = PAPER_MM[size]
        paper = size
    elif size == "Other":
        paper_w, paper_h = to_mm(template.get("width")), to_mm(template.get("height"))
        if paper_w > paper_h:
            return None
        paper = f"{mm_text(paper_w)}x{mm_text(paper_h)}"
    else:
        return None
    if NOT_FOR_ADDRESSES.search(template.get("_description", "")):
        return None
    labels = template.findall("Label-rectangle")
    if len(labels) != 1:
        return None
    layouts = labels[0].findall("Layout")
    if len(layouts) != 1:
        return None
    label, layout = labels[0], layouts[0]
    w, h = to_mm(label.get("width")), to_mm(label.get("height"))
    r = to_mm(label.get("round", "0"))
    nx, ny = int(layout.get("nx")), int(layout.get("ny"))
    x0, y0 = to_mm(layout.get("x0")), to_mm(layout.get("y0"))
    dx, dy = to_mm(layout.get("dx", "0")), to_mm(layout.get("dy", "0"))
    if w < MIN_WIDTH_MM or h < MIN_HEIGHT_MM or nx < 1 or ny < 1:
        return None
    right = x0 + (nx - 1) * dx + w
    bottom = y0 + (ny - 1) * dy + h
    if right > paper_w + EDGE_TOLERANCE_MM or bottom > paper_h + EDGE_TOLERANCE_MM:
        return None
    if (nx > 1 and dx < w - EDGE_TOLERANCE_MM) or (ny > 1 and dy < h - EDGE_TOLERANCE_MM):
        return None  # pieces that overlap are not one sheet of labels
    return {
        "paper": paper, "orient": "P", "nx": str(nx), "ny": str(ny),
        "x0": mm_text(x0), "y0": mm_text(y0), "dx": mm_text(dx if nx > 1 else w),
        "dy": mm_text(dy if ny > 1 else h), "w": mm_text(w), "h": mm_text(h), "r": mm_text(r),
        "description": template.get("_description", ""),
    }


def read_maker(path, brand, maker):
    """The sheets of one template file, each with the product and its equivalents as paper codes."""
    root = ET.parse(path).getroot()
    sheets, order, equivalents = {}, [], {}
    for template in root.findall("Template"):
        if template.get("brand") != brand:
            continue
        part = template.get("part")
        if template.get("equiv"):
            equivalents.setdefault(template.get("equiv"), []).append(part)
            continue
        row = sheet_of(template)
        if row is not None:
            sheets[part] = row
            order.append(part)
    rows = []
    for part in order:
        row = dict(sheets[part])
        row["maker"] = maker
        row["parts"] = ",".join([part] + equivalents.get(part, []))
        rows.append(row)
    return rows


def known_ids(table):
    """Layout IDs of an existing table, by (maker, first product)."""
    if not os.path.exists(table):
        return {}
    with open(table, encoding="utf-8", newline="") as f:
        lines = [line for line in f if not line.startswith("#")]
    return {(r["maker"], r["parts"].split(",")[0]): int(r["id"])
            for r in csv.DictReader(lines, delimiter="\t")}


def number_rows(rows, ids):
    used = set()
    for row in rows:
        key = (row["maker"], row["parts"].split(",")[0])
        if key in ids:
            row["id"] = ids[key]
            used.add(ids[key])
    next_id = FIRST_ID
    for row in rows:
        if "id" in row:
            continue
        while next_id in used:
            next_id += 1
        if next_id > LAST_ID:
            sys.exit("more label sheets than the label ID range holds")
        row["id"] = next_id
        used.add(next_id)
    rows.sort(key=lambda r: r["id"])


def main():
    templates = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/libglabels-3.0/templates"
    table = sys.argv[2] if len(sys.argv) > 2 else "factory/catalogue/label-sheets.tsv"
    rows = []
    for name, brand, maker in MAKERS:
        rows += read_maker(os.path.join(templates, name), brand, maker)
    number_rows(rows, known_ids(table))
    with open(table, "w", encoding="utf-8", newline="") as f:
        f.write("# Label sheets of the factory form catalogue; lengths in mm. Made by\n")
        f.write("# tools/catalogue/import_label_sheets.py from glabels-data; see README.md.\n")
        writer = csv.DictWriter(f, fieldnames=COLUMNS, delimiter="\t", lineterminator="\n")
        writer.writeheader()
        for row in rows:
            writer.writerow({key: row[key] for key in COLUMNS})
    print(f"{len(rows)} label sheets written to {table}")


if __name__ == "__main__":
    main()
