#pragma once
// The entries of a language file ("key = caption = hint" lines) and the small setters every
// window uses to relabel its own components from them. Each window knows its own keys; this
// unit only reads the file and matches keys.

#include <QHash>
#include <QString>
#include <QStringList>

class QComboBox;
class QObject;

// One line of a language file. True for an entry, with its parts stripped; false for a
// comment or a malformed line, with all three parts empty.
bool ParseLanguageLine(const QString& line, QString& key, QString& caption, QString& hint);

class LanguageTexts {
public:
    struct Entry {
        QString caption;
        QString hint;
    };

    // Every entry of a file's bytes (UTF-8, a leading byte-order mark dropped; lines end with
    // CR LF, LF or CR). A key given twice keeps its last entry.
    static LanguageTexts Parse(const QByteArray& data);

    // Keys are matched with the letters A to Z lowered.
    void Set(const QString& key, const QString& caption, const QString& hint);
    const Entry* Find(const char* key) const;
    bool IsEmpty() const { return entries_.isEmpty(); }
    // The captions of the keys that begin with `prefix` (lower case), by key.
    QHash<QString, QString> CaptionsWithPrefix(const QString& prefix) const;

    // Each setter changes its target only when the key is present, and says whether it did.
    // The caption of a component of any kind (action, menu, label, button, group, window).
    bool Caption(const char* key, QObject* target) const;
    // Caption and hint (tool tip, and status tip for an action).
    bool CaptionAndHint(const char* key, QObject* target) const;
    // The hint alone, on a widget's tool tip.
    bool Hint(const char* key, QObject* target) const;
    // A plain text, such as a message.
    bool Text(const char* key, QString& target) const;
    // The entries of a list, from a caption of "|"-separated entries.
    bool ListEntries(const char* key, QComboBox* target) const;

private:
    QHash<QString, Entry> entries_;
};

// Replaces a list's entries in place, so that the chosen entry stays chosen.
void SetListEntries(QComboBox* box, const QStringList& entries);
QStringList ListEntriesOf(const QComboBox* box);
// The caption of a component of any kind, and its setter.
QString CaptionOf(const QObject* source);
void SetCaption(QObject* target, const QString& text);
