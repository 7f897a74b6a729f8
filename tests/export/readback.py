#!/usr/bin/env python3
# Reads an exported file back as another program would and prints it as JSON:
#   readback.py csv FILE   -> {"rows": [[cell, ...], ...]}
#   readback.py xlsx FILE  -> {"rows": ..., "bold": ..., "freeze": ..., "filter": ..., "types": ..., "widths": ...}
#   readback.py dta FILE   -> {"columns", "rows" (codes, not labels), "labels", "values", "fileLabel", "types"}
import csv
import json
import sys

kind, path = sys.argv[1], sys.argv[2]
if kind == "dta":
    import pandas as pd
    frame = pd.read_stata(path, convert_categoricals=False)
    with pd.io.stata.StataReader(path) as reader:
        values = reader.value_labels()
        labels = reader.variable_labels()
        file_label = reader.data_label
    cell = lambda v: None if pd.isna(v) else (str(v) if not isinstance(v, (int, float)) else v)
    print(json.dumps({
        "columns": list(frame.columns),
        "rows": [[cell(v) for v in row] for row in frame.itertuples(index=False)],
        "labels": labels,
        "values": {name: {str(k): v for k, v in table.items()} for name, table in values.items()},
        "fileLabel": file_label,
        "types": [str(t) for t in frame.dtypes],
    }, default=str))
elif kind == "csv":
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    print(json.dumps({"rows": rows}))
else:
    import re
    import openpyxl
    sheet = openpyxl.load_workbook(path).active

    # Control characters are stored as _xHHHH_; spreadsheet programs decode
    # them, openpyxl 3.0 leaves them in inline strings.
    def text(value):
        if value is None:
            return ""
        if isinstance(value, str):
            return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), value)
        return value
    rows = [[text(c.value) for c in row] for row in sheet.iter_rows()]
    print(json.dumps({
        "rows": rows,
        "bold": all(c.font.b for c in sheet[1]),
        "freeze": sheet.freeze_panes,
        "filter": sheet.auto_filter.ref,
        "types": sorted({c.data_type for row in sheet.iter_rows(min_row=2) for c in row[1:] if c.value is not None}),
        "widths": [sheet.column_dimensions[openpyxl.utils.get_column_letter(i + 1)].width
                   for i in range(sheet.max_column)],
        "submittedFormat": sheet.column_dimensions["A"].number_format,
        # Each answer cell as [type, value, number format]; null where empty.
        "cells": [[None if c.value is None else [c.data_type, str(c.value), c.number_format] for c in row]
                  for row in sheet.iter_rows(min_row=2)],
    }, default=str))
