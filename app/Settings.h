#pragma once
// The per-user settings: window places, visible bars, the last document folder, the export
// folder and the language file. Read once when the main window is created and written once
// when it closes for good.

#include "dialogs/WindowPlacement.h"
#include "formats/import/ShownMarkup.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class MainWindow;
class QSettings;

// Every stored value, each already checked for its type and given its default.
struct ProgramSettings {
    QRect mainBounds;           // "Left", "Top", "Width", "Height"
    bool mainMaximized = true;  // "Maximized"
    WindowPlacement preview;    // "F2Left" ... "F2Maximized"
    QString workDir;            // "WorkDir"
    QString exportDir;          // "ExportDir"
    bool previewHtml5 = false;  // "PreviewStyle": "HTML5", else the classic page
    // The bars: nothing when unreadable, which leaves the bar as it is (shown).
    std::optional<bool> mainMenu, toolbar1, toolbar2, statusBar;
    QString language;  // "Language"
    QStringList recentFiles;  // "RecentFile1" ... "RecentFile8", newest first
    // "ImportMarkup": "AsWritten" keeps a page's markup as it is, anything else keeps only
    // what the table shows.
    ImportMarkup importMarkup = ImportMarkup::ShownOnly;
    int zoom = 100;    // "Zoom": the grid's drawing in per cent
};

// How many documents File > Recent Files lists.
constexpr int kRecentFileCount = 8;
// `list` with `fileName` at its top, without an earlier entry of the same file, cut to
// kRecentFileCount entries.
QStringList WithRecentFile(QStringList list, const QString& fileName);

// The store the program uses: "Vantorel" / "HTML Quillgrid" in the platform's native format.
std::unique_ptr<QSettings> OpenSettingsStore();

// Reads every value on its own: a missing value or one of the wrong type takes its default
// and affects nothing else. `screen` is the size of the primary display.
ProgramSettings ReadProgramSettings(const QSettings& store, const QSize& screen);
// Writes the values in their fixed order; window bounds only for a window that is not
// maximized, so the store keeps the last normal bounds. False when the store could not be saved.
bool WriteProgramSettings(QSettings& store, const ProgramSettings& values);

// The main window's side: applied while it is being created, collected when it closes.
void ReadSettings(MainWindow& form);
void WriteSettings(const MainWindow& form);
