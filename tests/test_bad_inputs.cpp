// Start-up with a damaged settings file or language file: random bytes, an empty file and
// one of 100,000 lines. The program must come up with its defaults and show no message but
// the ones it is meant to show (a language file that cannot be read at all).

#include "tests/SettingsSandbox.h"

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "formats/export/HtmlPage.h"
#include "grid/Tables.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

struct CountingPrompts : Prompts {
    QStringList messages;
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        messages << text;
        return QMessageBox::Cancel;
    }
    void error(QWidget*, const QString&, const QString& text) override { messages << text; }
};

QByteArray RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    for (char& b : bytes) b = char(random() & 0xFF);
    return bytes;
}

// 100,000 lines of every shape: entries, broken entries, blanks, values of the wrong kind.
QByteArray ManyLines(const QByteArray& kind)
{
    QByteArray out;
    std::mt19937 random(7);
    const char* shapes[] = {"Width=wide", "new = &New = hint = more", "=caption", "save",
                            "  ;comment", "Left=99999999999999", "\xff\xfe=\x01", "[section]",
                            "list1 = a|b|c|d|e", "Maximized=maybe", ""};
    for (int i = 0; i < 100000; ++i) {
        out += shapes[random() % std::size(shapes)];
        out += (i % 3 == 0) ? "\r\n" : (i % 3 == 1 ? "\n" : "\r");
    }
    return kind + out;
}

class BadInputs : public ::testing::Test {
protected:
    QTemporaryDir program;
    CountingPrompts prompts;
    QString settingsFile;

    void SetUp() override
    {
        ASSERT_TRUE(program.isValid());
        ExePath = program.path() + QLatin1Char('/');
        QDir::setCurrent(program.path());
        settingsFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                       QStringLiteral("/Vantorel/HTML Quillgrid.conf");
        QDir().mkpath(QFileInfo(settingsFile).path());
        QFile::copy(QStringLiteral(QG_SOURCE_DIR "/resources/English.lng"), ExePath + "English.lng");
        setPrompts(&prompts);
    }
    void TearDown() override
    {
        QFile::remove(settingsFile);
        setPrompts(nullptr);
    }

    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // The start-up as the program runs it: the main window reads the settings, then the
    // language file is applied.
    std::unique_ptr<MainWindow> Start()
    {
        auto form = std::make_unique<MainWindow>();
        if (form->languageFile().isEmpty()) form->setLanguageFile(ExePath + QStringLiteral("English.lng"));
        LoadLanguage(*form, form->languageFile());
        return form;
    }

    static void ExpectDefaults(const MainWindow& form)
    {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        EXPECT_EQ(form.geometry(), QRect(50, 50, screen.width() - 100, screen.height() - 100));
        EXPECT_TRUE(form.startMaximized());
        EXPECT_EQ(form.table()->ColCount, 2);
        EXPECT_EQ(form.table()->RowCount, 3);
        EXPECT_FALSE(form.table()->Changed);
    }
};

TEST_F(BadInputs, DamagedSettingsFilesGiveTheDefaults)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"random bytes", RandomBytes(64 * 1024, 1)},
        {"empty", QByteArray()},
        {"100,000 lines", ManyLines("[General]\n")},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        Write(settingsFile, bytes);
        prompts.messages.clear();
        auto form = Start();
        ExpectDefaults(*form);
        EXPECT_EQ(form->languageFile(), ExePath + QStringLiteral("English.lng"));
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    }
}

TEST_F(BadInputs, DamagedLanguageFilesStartWithoutMessages)
{
    const std::pair<const char*, QByteArray> files[] = {
        {"random bytes", RandomBytes(64 * 1024, 2)},
        {"empty", QByteArray()},
        {"100,000 lines", ManyLines(QByteArray())},
    };
    for (const auto& [what, bytes] : files) {
        SCOPED_TRACE(what);
        Write(ExePath + "English.lng", bytes);
        prompts.messages.clear();
        auto form = Start();
        ExpectDefaults(*form);
        EXPECT_EQ(form->languageFile(), ExePath + QStringLiteral("English.lng"));
        EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
        EXPECT_FALSE(form->actNew->text().isEmpty());
    }
    // The long file's last "new" line wins, as in any file.
    auto form = Start();
    EXPECT_EQ(form->actNew->text(), QStringLiteral("&New"));
    EXPECT_EQ(form->actNew->statusTip(), QStringLiteral("hint = more"));
}

TEST_F(BadInputs, ALanguageFileThatCannotBeReadGivesItsOneMessage)
{
    // The setting names a folder: the one message the program is meant to show, then defaults.
    QDir().mkdir(ExePath + "Folder.lng");
    Write(settingsFile, "[General]\nLanguage=" + (ExePath + "Folder.lng").toUtf8() + "\n");
    auto form = Start();
    ExpectDefaults(*form);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0], ShellTexts::withName(form->texts().cantopen, ExePath + "Folder.lng"));
}

TEST_F(BadInputs, EveryFuzzSeedOpensOrIsRefusedAndPaints)
{
    // The loader's seeds hold every stored field at its limits; the window lays out, paints
    // and previews whatever the loader accepts.
    auto form = Start();
    form->resize(800, 600);
    form->show();
    QStringList files;
    for (const char* folder : {"/fuzz/seeds/document", "/fuzz/regressions/document"}) {
        const QDir dir(QStringLiteral(QG_SOURCE_DIR) + QLatin1String(folder));
        for (const QString& name : dir.entryList(QDir::Files))
            if (name != QLatin1String(".gitkeep")) files << dir.filePath(name);
    }
    ASSERT_GE(files.size(), 4);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        prompts.messages.clear();
        const bool opened = form->OpenDocument(file);
        EXPECT_EQ(prompts.messages.size(), opened ? 0 : 1);
        const QImage picture = form->table()->grab().toImage();
        EXPECT_FALSE(picture.isNull());
        EXPECT_FALSE(HTMLPage(*form->table(), "page").isEmpty());
    }
}

}  // namespace
