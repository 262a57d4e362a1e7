// Replays every seed and every regression input of the fuzz targets through the same entry
// functions the fuzzers drive, without libFuzzer: what was once found stays fixed.

#include "fuzz/FuzzEntries.h"

#include <QDir>
#include <QFile>

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
                         ::testing::Values("document", "language", "script", "html", "export"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
