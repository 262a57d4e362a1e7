#pragma once
// The table the benchmarks work on: the program's main window at a 1920 x 1080 table area,
// holding a full 127 x 127 table with a 100-character text in every cell (every tenth one three
// lines long) and a dozen merged areas.

#include <QByteArray>
#include <QString>

class MainWindow;
class TTable;

namespace bench {

struct Editor {
    MainWindow* form = nullptr;
    TTable* table = nullptr;
};

// The main window, created once per process and reused.
Editor& MainWindow();
// Fills the window's table with the full fixture (cols x rows) and starts a fresh history.
void LoadFixture(Editor& editor, int cols = 127, int rows = 127);
// The fixture's document bytes.
QByteArray FixtureBytes(int cols = 127, int rows = 127);
// Lets the window process what is pending: paints, idle refreshes.
void Settle();
// One key typed into the in-place editor, as a person types it.
void TypeKey(Editor& editor, int key, const QString& text);

}  // namespace bench
