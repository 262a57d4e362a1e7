# A small sheet with merged cells, colours, bold, italic and alignment, saved as .xlsx.
import openpyxl
from openpyxl.styles import Alignment, Font, PatternFill

wb = openpyxl.Workbook()
ws = wb.active
ws.title = "Prices"
ws["A1"] = "Quarterly prices"
ws.merge_cells("A1:D1")
ws["A1"].font = Font(bold=True, size=14)
ws["A1"].alignment = Alignment(horizontal="center")
ws["A1"].fill = PatternFill("solid", fgColor="FFFF00")
for col, title in zip("ABCD", ["Item", "Q1", "Q2", "Total"]):
    cell = ws[col + "2"]
    cell.value = title
    cell.font = Font(bold=True)
    cell.fill = PatternFill("solid", fgColor="D9D9D9")
    cell.alignment = Alignment(horizontal="center")
rows = [("Bolts", 12, 14), ("Nuts", 7, 9), ("Spare parts", 30, 28), (None, 5, 6)]
for i, (item, q1, q2) in enumerate(rows, start=3):
    ws.cell(i, 1, item)
    ws.cell(i, 2, q1)
    ws.cell(i, 3, q2)
    ws.cell(i, 4, "=B%d+C%d" % (i, i))
ws.merge_cells("A5:A6")
ws["A5"].alignment = Alignment(vertical="center")
ws["A4"].font = Font(italic=True, color="FF0000")
ws["D3"].font = Font(color="0000FF")
ws["B4"].alignment = Alignment(horizontal="left", vertical="top")
ws["C6"].fill = PatternFill("solid", fgColor="CCFFCC")
wb.save("sheet.xlsx")
