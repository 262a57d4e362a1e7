// Pages that other tools wrote (tests/data/import; NOTES.md there says which tool, version and
// command made each): each imports as its expected document, compared field by field, with its
// expected report.

#include "ImportHelpers.h"
#include "formats/export/Export.h"
#include "tools/DocumentJson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kFolder = QStringLiteral(QG_SOURCE_DIR "/tests/data/import/");

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QJsonObject ReadJson(const QString& path)
{
    return QJsonDocument::fromJson(Read(path)).object();
}

// The path of the first value that differs, with both values; empty when all are equal.
std::string JsonDifference(const QJsonValue& want, const QJsonValue& got, const std::string& path)
{
    if (want.isObject() && got.isObject()) {
        const QJsonObject w = want.toObject(), g = got.toObject();
        for (const QString& key : w.keys())
            if (std::string d = JsonDifference(w[key], g[key], path + "." + key.toStdString()); !d.empty()) return d;
        return w.keys() == g.keys() ? std::string() : path + ": other keys";
    }
    if (want.isArray() && got.isArray()) {
        const QJsonArray w = want.toArray(), g = got.toArray();
        for (qsizetype i = 0; i < std::min(w.size(), g.size()); ++i) {
            const QJsonObject cell = w[i].toObject();
            const std::string where = cell.contains("col")
                ? path + "[col " + std::to_string(cell["col"].toInt()) + ", row " + std::to_string(cell["row"].toInt()) + "]"
                : path + "[" + std::to_string(i) + "]";
            if (std::string d = JsonDifference(w[i], g[i], where); !d.empty()) return d;
        }
        return w.size() == g.size() ? std::string() : path + ": " + std::to_string(w.size()) + " entries became " + std::to_string(g.size());
    }
    if (want == got) return {};
    auto shown = [](const QJsonValue& v) {
        return QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
    };
    return path + ": " + shown(want) + " became " + shown(got);
}

QJsonArray ReportNotes(const ImportReport& report)
{
    QJsonArray notes;
    for (const ImportNote& note : report.Notes()) {
        QJsonArray where;
        for (const ImportPlace& p : note.where)
            where.append(p.isTable() ? QJsonObject{{"table", true}} : QJsonObject{{"col", p.col}, {"row", p.row}});
        notes.append(QJsonObject{{"what", note.what}, {"why", note.why}, {"where", where}});
    }
    return notes;
}

class ImportCorpus : public ::testing::TestWithParam<const char*> {};

TEST_P(ImportCorpus, ImportsAsExpectedWithTheExpectedReport)
{
    const QString name = QString::fromLatin1(GetParam());
    const QByteArray page = Read(kFolder + name + ".html");
    ASSERT_FALSE(page.isEmpty()) << "missing page " << GetParam();
    const ImportedTable in = ImportPage(page);
    ASSERT_EQ(in.problem, "");

    const QJsonObject expected = ReadJson(kFolder + "expected/" + name + ".json");
    ASSERT_FALSE(expected.isEmpty());
    const QJsonObject got = QJsonDocument::fromJson(DocumentJson(*in.table)).object();
    EXPECT_EQ(JsonDifference(expected, got, ""), "");

    const QJsonArray expectedNotes = ReadJson(kFolder + "expected/" + name + ".report.json")["notes"].toArray();
    EXPECT_EQ(JsonDifference(expectedNotes, ReportNotes(in.result.report), "notes"), "");
}

// What each page says of its header cells, caption and column widths, written out by hand from
// the page as a browser shows it: a guard on the expected documents, which are made by the
// import itself. Header rows and columns are given as the ones whose every cell is a header.
TEST(ImportCorpusHeaders, HeaderCellsCaptionAndWidthsAsThePagesGiveThem)
{
    const TSizeSpec automatic{};
    auto px = [](int n) { return TSizeSpec{n, TSizeSpec::Pixels}; };
    auto pc = [](int n) { return TSizeSpec{n, TSizeSpec::Percent}; };
    struct Page {
        const char* name;
        std::vector<int> headerRows, headerColumns;
        QString caption;
        std::vector<TSizeSpec> widths;
    } pages[] = {
        // Index and column names: two header rows, the index labels a header column.
        {"pandas-index", {0, 1}, {0}, "", {automatic, automatic, automatic, automatic}},
        {"pandoc-grid", {0}, {}, "Parts in stock, <strong>May</strong>", {pc(15), pc(43), pc(18)}},
        {"pandoc-markdown", {0}, {}, "Opening hours of the shop", {automatic, automatic, automatic, automatic}},
        // colgroup widths of 112, 261 and 75 pixels, less a pixel of padding on each side.
        {"libreoffice-calc-widths", {}, {}, "", {px(110), px(259), px(73), px(73)}},
        // col widths 128 and 88 less cellpadding 4 on each side; the last col names none.
        {"scoped", {0}, {0}, "Weekday departures <small>(summer)</small>", {px(120), px(80), px(80), automatic}},
    };
    for (const Page& p : pages) {
        const ImportedTable in = ImportPage(Read(kFolder + QString::fromLatin1(p.name) + ".html"));
        ASSERT_EQ(in.problem, "") << p.name;
        const TableCore& t = *in.table;
        std::vector<int> rows, columns;
        for (int r = 0; r < t.RowCount; ++r)
            if (t.IsHeaderRow(r)) rows.push_back(r);
        for (int c = 0; c < t.ColCount; ++c)
            if (t.IsHeaderColumn(c)) columns.push_back(c);
        EXPECT_EQ(rows, p.headerRows) << p.name;
        EXPECT_EQ(columns, p.headerColumns) << p.name;
        EXPECT_EQ(t.Caption, p.caption) << p.name;
        ASSERT_EQ(std::size_t(t.ColCount), p.widths.size()) << p.name;
        for (int c = 0; c < t.ColCount; ++c)
            EXPECT_EQ(t.ColWidths[std::size_t(c)], p.widths[std::size_t(c)]) << p.name << ", column " << c;
    }
}

// What the page gave, written as either page and imported again, is the same document; and
// once more the same again.
TEST_P(ImportCorpus, ExportedAndImportedAgainItStaysTheSame)
{
    const ImportedTable first = ImportPage(Read(kFolder + QString::fromLatin1(GetParam()) + ".html"));
    ASSERT_EQ(first.problem, "");
    for (const ExportFormat format : {ExportFormat::ClassicPage, ExportFormat::Html5Page}) {
        const ImportedTable second = ImportPage(ExportTable(*first.table, format, {}).data);
        ASSERT_EQ(second.problem, "");
        EXPECT_EQ(FirstDifference(*first.table, *second.table), "") << ExportFormatOf(format).key;
        const ImportedTable third = ImportPage(ExportTable(*second.table, format, {}).data);
        ASSERT_EQ(third.problem, "");
        EXPECT_EQ(third.table->SaveToBytes(), second.table->SaveToBytes()) << ExportFormatOf(format).key;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, ImportCorpus,
                         ::testing::Values("libreoffice-calc", "libreoffice-calc-widths", "pandoc-markdown",
                                           "pandoc-csv", "pandoc-grid", "pandas", "pandas-index", "wiki", "scoped",
                                           "malformed"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
