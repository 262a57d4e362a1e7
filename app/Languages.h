#pragma once
// Language files: "key = caption = hint" lines that relabel every window of the program, and
// the View > Language menu that switches between the *.lng files beside the program.

#include <QString>

class QAction;
class QWidget;
class TForm1;

// One line of a language file. True for an entry, with its parts stripped; false for a
// comment or a malformed line, with all three parts empty.
bool ParseLanguageLine(const QString& line, QString& key, QString& caption, QString& hint);

// Both texts of a command: its caption and its hint (tool tip and status tip).
void SetActionText(QAction* action, const QString& caption, const QString& hint);

// Sets what the key names (the key is matched without regard to case; an unknown key sets
// nothing), then copies the texts that other windows share.
void ApplyLanguageEntry(TForm1& form, const QString& key, const QString& caption,
                        const QString& hint);

// Reads and applies a language file and makes it the active one. A file that cannot be read
// shows the "cantopen" message and changes nothing; false then. An empty name does nothing.
bool LoadLanguage(TForm1& form, const QString& fileName);

// Fills the Language menu with one entry per *.lng file in the program's folder.
void BuildLanguageMenu(TForm1& form);
// The click of a Language entry: loads that entry's file.
void SetLanguage(TForm1& form, QAction* entry);
// Marks the entry whose file is the active language file (letter case ignored).
void UpdateLanguageChecks(TForm1& form);

// A window of the program found by its object name: a window among the main window's
// children first, then any top-level window.
QWidget* FindProgramWindow(TForm1& form, const QString& name);
