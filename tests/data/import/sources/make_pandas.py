# A DataFrame with grouped rows and columns (which to_html writes as rowspan and colspan).
import numpy as np
import pandas as pd

rows = pd.MultiIndex.from_tuples(
    [("North", "Oslo"), ("North", "Bergen"), ("South", "Rome"), ("South", "Naples"), ("South", "Bari")],
    names=["Region", "City"])
cols = pd.MultiIndex.from_tuples(
    [("Temperature", "Jan"), ("Temperature", "Jul"), ("Rain", "mm")])
df = pd.DataFrame([[-4.3, 16.4, 763], [1.5, 15.0, np.nan], [7.5, 24.8, 798], [8.7, 24.5, 1007], [8.8, 25.7, 561]],
                  index=rows, columns=cols)
with open("pandas.html", "w", encoding="utf-8") as f:
    f.write("<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Climate</title></head>\n<body>\n")
    f.write(df.to_html())
    f.write("\n</body>\n</html>\n")
