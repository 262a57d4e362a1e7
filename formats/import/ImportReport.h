#pragma once
// What an import could not keep, as data for the window and the command-line tool: each note
// says what, why, and where (the table, or cells by their position in the imported table).

#include <QHash>
#include <QSet>
#include <QString>

#include <utility>
#include <vector>

struct ImportPlace {
    int col = -1;  // -1: the table as a whole
    int row = -1;
    bool isTable() const { return col < 0; }
    bool operator==(const ImportPlace&) const = default;
};

struct ImportNote {
    QString what;
    QString why;
    std::vector<ImportPlace> where;  // in the order first met, each place once
};

class ImportReport {
public:
    // Notes with the same what and why are one note with several places. Each addition takes
    // the same time however many notes and places there are already.
    void Add(ImportPlace where, const QString& what, const QString& why);
    void AddToTable(const QString& what, const QString& why) { Add(ImportPlace{}, what, why); }
    // Every note of `other`, after this report's own; taking the notes over when moved.
    void Append(ImportReport&& other);
    const std::vector<ImportNote>& Notes() const { return notes_; }
    bool IsEmpty() const { return notes_.empty(); }

private:
    std::vector<ImportNote> notes_;
    QHash<std::pair<QString, QString>, std::size_t> index_;  // what and why: the note
    // Which places a note has, to find one at once: a bit for each cell of a table's 128 x 128
    // (made when a note reaches its ninth place; before, its few places are looked through).
    struct Seen {
        std::vector<quint64> cells;
        QSet<qint64> others;  // the table, and places outside the cells' range
        bool Has(ImportPlace place) const;
        void Insert(ImportPlace place);
    };
    std::vector<Seen> places_;
    bool Has(std::size_t note, ImportPlace place) const;
    std::size_t NoteFor(const QString& what, const QString& why);
};

// "table" or "cell (3, 1)" for the cell at (2, 0): see CellPlaceName.
QString DescribePlace(const ImportPlace& place);
// One line: the places (the first few, then how many more), what, and why.
QString DescribeNote(const ImportNote& note);
