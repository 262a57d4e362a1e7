#pragma once
// The command pictures. Each is stored as "NN-name.svg" in the icon resources; NN is its
// number in the image list, which the enumeration names.

#include <QIcon>

enum class Picture : int {
    New = 0,
    Open = 1,
    Save = 2,
    Delete = 3,
    Preview = 4,
    Blank = 5,
    Source = 6,
    Undo = 7,
    Redo = 8,
    Cut = 9,
    Copy = 10,
    Paste = 11,
    Table = 12,
    Column = 13,
    Row = 14,
    CellProperties = 15,
    Bold = 16,
    Italic = 17,
    MixedAlignment = 18,
    AlignTopLeft = 19,  // the nine alignments follow, row by row: 19 + 3 * vertical + horizontal
    Merge = 28,
    Unmerge = 29,
    Link = 30,
    InsertColumnAfter = 31,
    InsertColumnBefore = 32,
    InsertRowAfter = 33,
    InsertRowBefore = 34,
    SaveAs = 36,
    PasteTable = 37,
    Import = 38,
    None = -1,
};

QIcon CommandImage(Picture picture);
// The picture of alignment n = 3 * vertical + horizontal (0 to 8).
Picture AlignmentPicture(int alignment);
QIcon AlignmentImage(int alignment);
QIcon ApplicationIcon();
