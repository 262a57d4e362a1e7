# A DataFrame whose index and columns have names: to_html writes the column names in a first
# header row and the index name in a second, and every row's index label as a th in tbody.
import pandas as pd

df = pd.DataFrame(
    {"Population": [709000, 285000, 2873000], "Area (km²)": [454.0, 465.3, 1285.0], "Founded": [1040, 1070, -753]},
    index=pd.Index(["Oslo", "Bergen", "Rome"], name="City"))
df.columns.name = "Figure"
with open("../pandas-index.html", "w", encoding="utf-8") as f:
    f.write("<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Cities</title></head>\n<body>\n")
    f.write(df.to_html())
    f.write("\n</body>\n</html>\n")
