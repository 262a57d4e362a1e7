# A sheet whose columns have their own widths (Calc writes them as colgroup widths in pixels),
# with a bold heading row, saved as .xlsx.
import openpyxl
from openpyxl.styles import Font

wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Stock"
for col, title in zip("ABCD", ["Item", "Supplier", "Count", "Price"]):
    ws[col + "1"] = title
    ws[col + "1"].font = Font(bold=True)
rows = [("Bolts", "Northern Fasteners Ltd", 1200, 0.12), ("Nuts", "Northern Fasteners Ltd", 950, 0.05),
        ("Washers", "Coastal Supply", 3000, 0.03)]
for i, row in enumerate(rows, start=2):
    for j, value in enumerate(row, start=1):
        ws.cell(i, j, value)
ws.column_dimensions["A"].width = 12
ws.column_dimensions["B"].width = 28
ws.column_dimensions["C"].width = 8
ws.column_dimensions["D"].width = 8
wb.save("stock.xlsx")
