#pragma once
// Small pieces several windows build from: labels with a buddy, a colour swatch that opens
// the colour dialog, the font-size list, the 3 x 3 grid of alignment buttons, and a list beside
// a table preview.

#include <QStringList>

#include <array>

class ColorSwatch;
class QButtonGroup;
class QDialog;
class QListWidget;
class QPushButton;
class QScrollArea;
class QLabel;
class QToolButton;
class QWebEngineView;
class QWidget;

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text, QWidget* buddy);

// A face a page names but the machine lacks (Tahoma, the face of new cells, without
// fonts-wine) falls back to the browser's standard font, a serif one, where the grid falls
// back to the desktop's sans face: every web view of the program falls back to that face.
void UseDesktopSansFallback(QWebEngineView* view);

// Asks for a colour, starting from the swatch's; the swatch shows the choice unless cancelled.
void PickSwatchColor(QWidget* parent, ColorSwatch* swatch);

// The entries of a font-size list: blank (no size), then 0 to 7. Entry i is size i - 1.
QStringList FontSizeEntries();

// Nine flat buttons named ToolButton1 .. ToolButton9 in a 3 x 3 grid on a new widget named
// `name`: rows top, middle, bottom; columns left, centre, right. Button n + 1 stands for
// alignment n = 3 * vertical + horizontal.
struct AlignmentGrid {
    QWidget* widget = nullptr;
    std::array<QToolButton*, 9> buttons{};
};
// The buttons come named in English ("Top left" .. "Bottom right"); NameAlignmentButtons
// names them from a list of nine, in the same order, when it has nine.
AlignmentGrid BuildAlignmentGrid(QWidget* parent, const char* name);
void NameAlignmentButtons(const std::array<QToolButton*, 9>& buttons, const QStringList& names);

// The body of a dialog that picks a table from a list: the list (ListBox, `listWidth` wide; a
// double click accepts) beside a scroll box for a read-only table (ScrollBox1), OK and Cancel
// under them on the right.
struct ListAndPreview {
    QListWidget* list;
    QScrollArea* preview;
    QPushButton* ok;
    QPushButton* cancel;
};
ListAndPreview BuildListAndPreview(QDialog* dialog, int listWidth);
