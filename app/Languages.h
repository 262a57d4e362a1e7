#pragma once
// Language files: "key = caption = hint" lines that relabel every window of the program, and
// the View > Language menu that switches between the *.lng files beside the program. Each
// window relabels its own components (applyLanguage); this unit reads the files.

#include "ui/LanguageTexts.h"

#include <QString>

class QAction;
class QWidget;
class MainWindow;

// Sets what the key names (the key is matched without regard to case; an unknown key sets
// nothing), with the texts that follow it.
void ApplyLanguageEntry(MainWindow& form, const QString& key, const QString& caption,
                        const QString& hint);

// Reads and applies a language file and makes it the active one, with Qt's translations for
// the language it names. A file that cannot be read shows the "cantopen" message and changes
// nothing; false then. An empty name does nothing.
bool LoadLanguage(MainWindow& form, const QString& fileName);

// Qt's own texts (its file, colour and message dialogs, the key names of the menus' shortcuts)
// in `language`, a code such as "de" that a language file names with its "qtlanguage" key;
// Qt's English for an empty code or one Qt has no translation for. False then.
bool UseQtTranslations(const QString& language);

// Fills the Language menu with one entry per *.lng file in the program's folder, each named
// as the file names its language ("languagename"), else by the file's name.
void BuildLanguageMenu(MainWindow& form);
// The click of a Language entry: loads that entry's file.
void SetLanguage(MainWindow& form, QAction* entry);
// Marks the entry whose file is the active language file (letter case ignored).
void UpdateLanguageChecks(MainWindow& form);

// A window of the program found by its object name: a window among the main window's
// children first, then any top-level window.
QWidget* FindProgramWindow(MainWindow& form, const QString& name);
