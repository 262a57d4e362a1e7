// File > Export, Edit > Copy As and the preview's page style, worked through scripted prompts:
// what lands in the file or on the clipboard is the core's export, the report reaches the
// user, a failed write says so, and the export folder and the page style outlive the window.

#include "tests/SettingsSandbox.h"

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "dialogs/PreviewWindow.h"
#include "formats/export/Export.h"
#include "formats/export/HtmlPage.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/ScriptedWindow.h"
#include "tests/ShellParts.h"
#include "ui/FileNames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ExportCommands : public ScriptedWindowTest {
protected:
    void SetUp() override
    {
        ScriptedWindowTest::SetUp();
        form->setDocumentName(path("Report.qgd"), false);
        // Something Markdown cannot hold (a merge) beside text every format holds.
        TTable& table = *form->table();
        table.SetCellText(0, 0, QStringLiteral("Name"));
        table.SetCellText(1, 1, QStringLiteral("a | b"));
        table.MergeCells(0, 1, 0, 1);
    }
    ExportResult core(ExportFormat format) const
    {
        ExportOptions options;
        options.title = QByteArrayLiteral("Report");
        return ExportTable(*form->table(), format, options);
    }
    QAction* exportAction(ExportFormat format) const
    {
        const QString name = QStringLiteral("actExport_") + QLatin1String(ExportFormatOf(format).key);
        return Part<QAction>(*form, name.toLatin1().constData());
    }
};

TEST_F(ExportCommands, EachFormatWritesTheCoresBytesUnderItsExtensionAndReportsWhatItLost)
{
    QStringList menu;
    for (QAction* action : Part<QMenu>(*form, "MenuExport")->actions()) menu << action->text();
    EXPECT_EQ(menu, QStringList({"HTML5 page...", "Table fragment...", "Markdown...", "LaTeX...",
                                 "MediaWiki...", "CSV..."}));

    for (const ExportFormat format : MainWindow::WindowExportFormats()) {
        const QString extension = QLatin1String(ExportFormatOf(format).extension);
        SCOPED_TRACE(extension.toStdString());
        answers.errors.clear();
        answers.informations.clear();
        // A name typed without an extension takes the format's.
        answers.fileAnswers.push_back(ScriptedPrompts::FileAnswer{path("out")});
        ASSERT_NE(exportAction(format), nullptr);
        exportAction(format)->trigger();

        ASSERT_FALSE(answers.fileDialogs.empty());
        const auto& seen = answers.fileDialogs.back();
        EXPECT_EQ(seen.mode, QFileDialog::AcceptSave);
        ASSERT_EQ(seen.selected.size(), 1);
        EXPECT_EQ(ExtractFileName(seen.selected.front()), QStringLiteral("Report.") + extension)
            << "the document's name is proposed";
        const ExportResult expected = core(format);
        EXPECT_EQ(ReadFile(path("out.") + extension.toLatin1()), expected.data);
        EXPECT_TRUE(answers.errors.empty());
        // The status bar's note shows exactly when the format lost something, names the format,
        // and its button opens the report; nothing stops the export on the way.
        EXPECT_TRUE(answers.informations.empty());
        EXPECT_EQ(form->exportNote()->isVisible(), !expected.report.empty());
        EXPECT_EQ(form->reportButton()->isVisible(), !expected.report.empty());
        if (!expected.report.empty()) {
            EXPECT_TRUE(form->exportNote()->text().contains(QLatin1String(ExportFormatOf(format).name)));
            form->reportButton()->click();
            ASSERT_EQ(answers.informations.size(), 1u);
            EXPECT_TRUE(answers.informations.front().text.contains(
                DescribeReportItem(expected.report.items.front())));
            EXPECT_FALSE(form->exportNote()->isVisible()) << "the note goes once read";
        }
    }
    EXPECT_FALSE(core(ExportFormat::Markdown).report.empty()) << "the merge must be reported";
}

TEST_F(ExportCommands, AFailedWriteSaysWhichFileAndKeepsTheFolder)
{
    answers.fileAnswers.push_back(ScriptedPrompts::FileAnswer{path("missing/out.md")});
    exportAction(ExportFormat::Markdown)->trigger();
    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_TRUE(answers.errors.front().text.contains(path("missing/out.md")));
    EXPECT_FALSE(form->exportNote()->isVisible()) << "no report for a file that was not written";
    EXPECT_TRUE(form->collectSettings().exportDir.isEmpty());

    answers.fileAnswers.push_back(std::nullopt);  // cancelled: nothing happens
    exportAction(ExportFormat::LaTeX)->trigger();
    EXPECT_EQ(answers.errors.size(), 1u);
}

TEST_F(ExportCommands, CopyAsPutsTheSameTextOnTheClipboardWithTheReport)
{
    for (const ExportFormat format : {ExportFormat::Markdown, ExportFormat::MediaWiki}) {
        answers.informations.clear();
        const QString name = QStringLiteral("actCopyAs_") + QLatin1String(ExportFormatOf(format).key);
        Part<QAction>(*form, name.toLatin1().constData())->trigger();
        const ExportResult expected = core(format);
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8(expected.data));
        EXPECT_EQ(form->exportNote()->isVisible(), !expected.report.empty());
    }
    EXPECT_TRUE(answers.informations.empty()) << "Copy As asks nothing";
    EXPECT_TRUE(answers.fileDialogs.empty());
}

// The report speaks the language: its sentences, places and the phrases of what was lost.
TEST_F(ExportCommands, TheReportIsInTheLanguageOfTheWindow)
{
    ASSERT_TRUE(LoadLanguage(*form, QStringLiteral(QG_SOURCE_DIR "/resources/German.lng")));
    Part<QAction>(*form, "actCopyAs_markdown")->trigger();
    EXPECT_TRUE(form->exportNote()->text().startsWith(QStringLiteral("Markdown kann nicht alles")))
        << form->exportNote()->text().toStdString();
    form->reportButton()->click();
    ASSERT_EQ(answers.informations.size(), 1u);
    const QString report = answers.informations.front().text;
    EXPECT_TRUE(report.contains(QStringLiteral("Zelle (1, 2): verbundene Zelle (1x2) aufgelöst"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Tabelle: in diesem Format nicht möglich: eine Tabelle ohne Kopfzeile"))) << report.toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("cell ("))) << report.toStdString();
    ASSERT_TRUE(LoadLanguage(*form, QStringLiteral(QG_SOURCE_DIR "/resources/English.lng")));
}

// With Qt's German texts loaded a new dialog's own default type reads "Alle Dateien (*)", as the
// German entry for all files does: it must not pass for a choice, or no extension is added.
TEST_F(ExportCommands, InGermanANewDialogStillProposesTheFormatsType)
{
    ASSERT_TRUE(LoadLanguage(*form, QStringLiteral(QG_SOURCE_DIR "/resources/German.lng")));
    answers.fileScript = [this](QFileDialog&) { return std::optional<QString>(path("typed")); };
    exportAction(ExportFormat::Markdown)->trigger();
    answers.fileScript = nullptr;
    ASSERT_TRUE(LoadLanguage(*form, QStringLiteral(QG_SOURCE_DIR "/resources/English.lng")));
    EXPECT_TRUE(QFile::exists(path("typed.md")));
}

TEST_F(ExportCommands, ExportFolderAndPreviewStyleOutliveARestart)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
    answers.fileAnswers.push_back(ScriptedPrompts::FileAnswer{path("out/table.tex")});
    exportAction(ExportFormat::LaTeX)->trigger();
    ASSERT_TRUE(QFile::exists(path("out/table.tex")));
    auto* preview = form->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->html5Style()) << "the classic page by default";
    EXPECT_EQ(form->PreviewPage(), HTMLPage(*form->table(), "Report"));
    preview->setHtml5Style(true);
    EXPECT_EQ(form->PreviewPage(), core(ExportFormat::Html5Page).data);
    EXPECT_EQ(form->PreviewSaveName(), QStringLiteral("Report.html"));
    form->table()->Changed = false;
    ASSERT_TRUE(form->close());

    start();
    EXPECT_TRUE(form->findChild<PreviewWindow*>()->html5Style());
    answers.fileAnswers.push_back(std::nullopt);
    exportAction(ExportFormat::Markdown)->trigger();
    EXPECT_EQ(QDir(answers.fileDialogs.back().folder), QDir(path("out")))
        << "the next export starts in the last export folder";
}

}  // namespace
