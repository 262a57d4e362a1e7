#pragma once
// What an import could not keep, as data for the window and the command-line tool: each note
// says what, why, and where (the table, or cells by their position in the imported table).

#include <QHash>
#include <QString>

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
    // Notes with the same what and why are one note with several places.
    void Add(ImportPlace where, const QString& what, const QString& why);
    void AddToTable(const QString& what, const QString& why) { Add(ImportPlace{}, what, why); }
    const std::vector<ImportNote>& Notes() const { return notes_; }
    bool IsEmpty() const { return notes_.empty(); }

private:
    std::vector<ImportNote> notes_;
    QHash<QString, std::size_t> index_;
};

// "table" or "cell (2, 0)".
QString DescribePlace(const ImportPlace& place);
// One line: the places (the first few, then how many more), what, and why.
QString DescribeNote(const ImportNote& note);
