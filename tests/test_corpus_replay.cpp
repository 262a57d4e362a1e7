// Replays every seed and every regression input of the fuzz targets through the same entry
// functions the fuzzers drive, without libFuzzer: what was once found stays fixed.

#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QStringList InputsOf(const QString& folder)
{
    QStringList files;
    const QDir dir(QStringLiteral(QG_SOURCE_DIR "/fuzz/") + folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (name != QLatin1String(".gitkeep")) files << dir.filePath(name);
    return files;
}

// The page and export targets take the documents of the loader's seeds.
QString SeedFolder(const QString& target)
{
    const bool documents = target == QLatin1String("html") || target == QLatin1String("export");
    return QStringLiteral("seeds/") + (documents ? QStringLiteral("document") : target);
}

class CorpusReplay : public ::testing::TestWithParam<const char*> {};

TEST_P(CorpusReplay, EverySeedAndRegressionPasses)
{
    const QString name = QString::fromLatin1(GetParam());
    const Fuzz::Target* target = Fuzz::FindTarget(name);
    ASSERT_NE(target, nullptr);
    const QStringList seeds = InputsOf(SeedFolder(name));
    EXPECT_GE(seeds.size(), 4) << "seed corpus of " << GetParam() << " is missing";
    for (const QString& file : seeds + InputsOf(QStringLiteral("regressions/") + name)) {
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
        const QByteArray bytes = in.readAll();
        const QString problem =
            target->entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        EXPECT_TRUE(problem.isEmpty()) << file.toStdString() << ": " << problem.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values("document", "language", "script", "html", "edit", "import",
                                           "export", "csv"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace

// The edit target on seeded random operations over the seed documents: in every test run a
// little of what the fuzzer runs for minutes, so that a change that breaks an operation, the
// history or a save is caught without it.
TEST(EditProperty, RandomOperationsKeepTheTableSoundAndItsSavesLoadable)
{
    const Fuzz::Target* edit = Fuzz::FindTarget(QStringLiteral("edit"));
    ASSERT_NE(edit, nullptr);
    QList<QByteArray> documents;
    for (const QString& file : InputsOf(QStringLiteral("seeds/edit"))) {
        QFile in(file);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray seed = in.readAll();
        const int length = std::uint8_t(seed[0]) | std::uint8_t(seed[1]) << 8;
        documents << seed.mid(2 + length);
    }
    ASSERT_FALSE(documents.isEmpty());
    for (quint32 seed = 1; seed <= 150; ++seed) {
        QRandomGenerator rng(seed);
        QByteArray operations(rng.bounded(20, 300), Qt::Uninitialized);
        for (char& byte : operations) byte = char(rng.bounded(256));
        QByteArray input;
        input += char(operations.size() & 0xFF);
        input += char(operations.size() >> 8);
        input += operations + documents[int(seed % documents.size())];
        const QString problem =
            edit->entry(reinterpret_cast<const std::uint8_t*>(input.constData()), std::size_t(input.size()));
        EXPECT_TRUE(problem.isEmpty()) << "seed " << seed << ": " << problem.toStdString();
    }
}
