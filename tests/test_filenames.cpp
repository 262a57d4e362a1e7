// File-name routines: extensions, titles, the Table.qgd series of new documents, and the
// file-dialog filter entries that decide which extension a typed name gets.

#include "app/ShellTexts.h"
#include "ui/FileFilters.h"
#include "ui/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* path;
    const char* withoutExt;
    const char* title;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << '"' << c.path << '"';
}

class FileNames : public ::testing::TestWithParam<NameCase> {};

void Touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

}  // namespace

TEST_P(FileNames, RemoveExtAndFileTitleCutOnlyTheNamesLastDot)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(RemoveExt(QString::fromUtf8(c.path)), QString::fromUtf8(c.withoutExt));
    EXPECT_EQ(FileTitle(QString::fromUtf8(c.path)), QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FileNames,
    ::testing::Values(NameCase{"report", "report", "report"},
                      NameCase{"report.qgd", "report", "report"},
                      NameCase{"price.list.2024.qgd", "price.list.2024", "price.list.2024"},
                      NameCase{"report.", "report", "report"},
                      NameCase{"/home/ann/v1.5/report", "/home/ann/v1.5/report", "report"},
                      NameCase{"/home/ann/v1.5/report.qgt", "/home/ann/v1.5/report", "report"},
                      NameCase{"/home/ann/v1.5/", "/home/ann/v1.5/", ""},
                      NameCase{"/tmp/Préis.qgd", "/tmp/Préis", "Préis"}));

TEST(UniqueFileName, CountsUpWithTwoDigitsAtLeastAndIgnoresFolders)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString base = dir.path() + QStringLiteral("/Table.qgd");
    EXPECT_EQ(UniqueFileName(base), base) << "a free name is taken as it is";

    Touch(base);
    EXPECT_EQ(UniqueFileName(base), dir.filePath(QStringLiteral("Table01.qgd")));

    for (int n = 1; n <= 9; ++n) Touch(dir.filePath(QStringLiteral("Table0%1.qgd").arg(n)));
    EXPECT_EQ(UniqueFileName(base), dir.filePath(QStringLiteral("Table10.qgd")));

    for (int n = 10; n <= 99; ++n) Touch(dir.filePath(QStringLiteral("Table%1.qgd").arg(n)));
    EXPECT_EQ(UniqueFileName(base), dir.filePath(QStringLiteral("Table100.qgd")));

    // A folder that happens to carry the next name does not hold the name.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Table100.qgd")));
    EXPECT_EQ(UniqueFileName(base), dir.filePath(QStringLiteral("Table100.qgd")));
}

TEST(UniqueFileName, KeepsTheFolderAndAnyExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("v1.5")));
    const QString folder = dir.filePath(QStringLiteral("v1.5/"));
    Touch(folder + QStringLiteral("Notes"));
    EXPECT_EQ(UniqueFileName(folder + QStringLiteral("Notes")), folder + QStringLiteral("Notes01"))
        << "the dot in the folder name is not an extension";
    Touch(folder + QStringLiteral("a.b.qgt"));
    EXPECT_EQ(UniqueFileName(folder + QStringLiteral("a.b.qgt")), folder + QStringLiteral("a.b01.qgt"));
}

TEST(DialogFilter, EachEntryGivesItsPattern)
{
    const QString filter = ShellTexts().filter;
    EXPECT_EQ(FilterPattern(filter, 1), QStringLiteral("*.qgd"));
    EXPECT_EQ(FilterPattern(filter, 2), QStringLiteral("*.qgt"));
    EXPECT_EQ(FilterPattern(filter, 3), QStringLiteral("*.*"));
}

TEST(DialogFilter, BareNamesTakeTheEntrysExtensionAndNamedOnesStay)
{
    const QString filter = ShellTexts().filter;
    const QString expected[] = {QStringLiteral("/w/report.qgd"), QStringLiteral("/w/report.qgt"),
                                QStringLiteral("/w/report")};
    for (int index = 1; index <= 3; ++index) {
        const QString pattern = FilterPattern(filter, index);
        SCOPED_TRACE(pattern.toStdString());
        EXPECT_EQ(AddFilterExtension(QStringLiteral("/w/report"), pattern), expected[index - 1]);
        EXPECT_EQ(AddFilterExtension(QStringLiteral("/w/report.txt"), pattern),
                  QStringLiteral("/w/report.txt"));
        EXPECT_EQ(AddFilterExtension(QStringLiteral("/w/v1.5/report"), pattern),
                  QStringLiteral("/w/v1.5/report") + expected[index - 1].mid(9))
            << "a dot in the folder does not count as the name's extension";
    }
}
