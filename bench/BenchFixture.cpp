#include "bench/BenchFixture.h"

#include "app/MainWindow.h"
#include "grid/Tables.h"
#include "tests/ShellParts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QTemporaryDir>

namespace bench {

namespace {

QString CellText(int col, int row)
{
    static const char* words[] = {"table", "cell",   "price",  "monday", "quill", "grid",
                                  "page",  "border", "colour", "link",   "text",  "row",
                                  "<b>",   "</b>",   "merged", "width",  "html",  "editor"};
    QString text;
    int n = col * 131 + row * 17;
    while (text.size() < 100) {
        text += QLatin1String(words[n % 18]);
        text += QLatin1Char(' ');
        n = n * 7 + 3;
    }
    text.truncate(100);
    if ((col * 127 + row) % 10 == 0) {
        text[30] = QLatin1Char('\r');
        text.insert(31, QLatin1Char('\n'));
        text[70] = QLatin1Char('\r');
        text.insert(71, QLatin1Char('\n'));
        text.truncate(100);
    }
    return text;
}

void BuildFixture(TableCore& table, int cols, int rows)
{
    table.BeginUpdate();
    table.SetColCount(0);
    table.SetRowCount(0);
    table.SetColCount(cols);
    table.SetRowCount(rows);
    // A table this wide is set in pixels, 120 to a column, as its user would; at the
    // window's own width each column would be a few pixels wide.
    table.TableWidth = {cols * 120, TSizeSpec::Pixels};
    for (int c = 0; c < cols; ++c)
        for (int r = 0; r < rows; ++r) table.Cell(c, r).Text = CellText(c, r);
    // A dozen merged areas spread over the table.
    for (int i = 0; i < 12; ++i) {
        const int c = (i * 37 + 5) % std::max(1, cols - 4);
        const int r = (i * 53 + 9) % std::max(1, rows - 4);
        table.MergeCells(c, r, 1 + i % 3, i % 4);
    }
    table.EndUpdate();
}

}  // namespace

Editor& MainWindow()
{
    static Editor editor = [] {
        static QTemporaryDir settings;
        qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
        Editor e;
        e.form = new ::MainWindow;  // the class, not this function
        e.form->setStartMaximized(false);
        e.form->show();
        // Grow the window until the table area is 1920 x 1080.
        const QSize viewport = Part<QScrollArea>(*e.form, "ScrollBox")->viewport()->size();
        e.form->resize(e.form->size() + QSize(1920, 1080) - viewport);
        e.table = e.form->table();
        Settle();
        return e;
    }();
    return editor;
}

QByteArray FixtureBytes(int cols, int rows)
{
    TableCore core;
    BuildFixture(core, cols, rows);
    return core.SaveToBytes();
}

void LoadFixture(Editor& editor, int cols, int rows)
{
    editor.table->LoadFromBytes(FixtureBytes(cols, rows));
    editor.table->ClearHistory();
    editor.table->AddUndoStep(TUndoStep::Command);
    editor.table->Changed = false;
    editor.table->SelectCell(cols / 2, rows / 2 + 1);
    editor.table->ResetSelection();
    Settle();
}

void Settle()
{
    QApplication::processEvents();
}

void TypeKey(Editor& editor, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor.table->Edit(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(editor.table->Edit(), &release);
    Settle();
}

}  // namespace bench
