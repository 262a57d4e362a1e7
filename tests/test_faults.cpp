// Saving when the disk fails: every step of a save failing in turn, a folder that cannot be
// written, a full disk, a folder in the file's place, and the preview page without a writable
// program folder. Each goes through the real document commands: one clear message naming the
// file, the previous file byte for byte as it was, the document still changed under its name,
// and a retry after the fault that succeeds.

#include "tests/SettingsSandbox.h"

#include "app/MainWindow.h"
#include "core/SafeFile.h"
#include "dialogs/PreviewWindow.h"
#include "formats/export/HtmlPage.h"
#include "grid/Tables.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

#include <sys/resource.h>
#include <unistd.h>

namespace {

// Answers nothing; remembers every error message.
struct MessageLog : Prompts {
    QStringList errors;
    void error(QWidget*, const QString&, const QString& text) override { errors << text; }
    QMessageBox::StandardButton question(QWidget*, const QString&, const QString&,
                                         QMessageBox::StandardButtons) override
    {
        return QMessageBox::Cancel;
    }
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteContents(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class Faults : public ::testing::Test {
protected:
    QTemporaryDir folder;
    MessageLog log;
    std::unique_ptr<MainWindow> form;
    QString doc;
    QByteArray previous;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ExePath = folder.path() + QLatin1Char('/');
        setPrompts(&log);
        form = std::make_unique<MainWindow>();
        // A saved document, then an unsaved edit big enough for several write chunks.
        doc = folder.filePath(QStringLiteral("report.qgd"));
        Edit(QStringLiteral("first version"));
        ASSERT_TRUE(form->SaveDocument(doc));
        previous = Contents(doc);
        Edit(QString(100000, QLatin1Char('x')));
        log.errors.clear();
    }
    void TearDown() override
    {
        SafeFile::SetFaultHook(nullptr);
        form.reset();
        setPrompts(nullptr);
    }

    void Edit(const QString& text)
    {
        form->table()->SetCellText(0, 0, text);
        form->table()->AddUndoStep(TUndoStep::Command);
        ASSERT_TRUE(form->table()->Changed);
    }

    // After a failed save: one message naming the file, the old bytes, the document changed
    // under its old name; then a retry of Save writes the table.
    void ExpectFailedSave(const QString& target, const char* what)
    {
        SCOPED_TRACE(what);
        ASSERT_EQ(log.errors.size(), 1);
        EXPECT_TRUE(log.errors[0].startsWith(ShellTexts::withName(form->texts().cantsave, target) + "\n\n"));
        EXPECT_EQ(Contents(doc), previous);
        EXPECT_TRUE(form->table()->Changed);
        EXPECT_EQ(form->fileName(), doc);
        EXPECT_FALSE(form->isNewFile());
        log.errors.clear();
    }
    void ExpectRetrySucceeds()
    {
        EXPECT_TRUE(form->SaveCurrent());
        EXPECT_TRUE(log.errors.isEmpty());
        EXPECT_EQ(Contents(doc), form->table()->SaveToBytes());
        EXPECT_FALSE(form->table()->Changed);
    }
    void ExpectNoTemporaryLeft()
    {
        const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, QStringList{QStringLiteral("report.qgd")});
    }
};

TEST_F(Faults, EveryStepOfASaveFailingInTurn)
{
    int steps = 0;
    SafeFile::SetFaultHook([&steps](SafeFile::Step) { ++steps; return false; });
    const QByteArray bytes = form->table()->SaveToBytes();
    ASSERT_TRUE(SafeFile::WriteFile(folder.filePath(QStringLiteral("probe")), bytes));
    QFile::remove(folder.filePath(QStringLiteral("probe")));
    ASSERT_GE(steps, 5) << "open, several writes, flush and commit";

    for (int k = 1; k <= steps; ++k) {
        int step = 0;
        SafeFile::SetFaultHook([&step, k](SafeFile::Step) { return ++step == k; });
        EXPECT_FALSE(form->SaveCurrent()) << "step " << k;
        ExpectFailedSave(doc, "step failing");
        ExpectNoTemporaryLeft();
    }
    SafeFile::SetFaultHook(nullptr);
    ExpectRetrySucceeds();
}

TEST_F(Faults, AFolderThatCannotBeWritten)
{
    // Under a regular file no folder can be made, not even by root.
    const QString blocked = folder.filePath(QStringLiteral("report.qgd/inside.qgd"));
    EXPECT_FALSE(form->SaveDocument(blocked));
    ExpectFailedSave(blocked, "path under a file");

    // A read-only folder; root passes permission checks, so the save runs as another user.
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                             QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
    const bool asRoot = geteuid() == 0;
    if (asRoot) ASSERT_EQ(seteuid(65534), 0);
    const bool saved = form->SaveCurrent();
    if (asRoot) ASSERT_EQ(seteuid(0), 0);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(saved);
    ExpectFailedSave(doc, "read-only folder");
    ExpectRetrySucceeds();
}

TEST_F(Faults, AFullDisk)
{
    // A file-size limit below the document's size: the write fails as on a full disk.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = form->SaveCurrent();
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &old), 0);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    ExpectFailedSave(doc, "file-size limit");
    ExpectNoTemporaryLeft();
    ExpectRetrySucceeds();
}

TEST_F(Faults, AFolderInTheFilesPlace)
{
    const QString place = folder.filePath(QStringLiteral("taken.qgd"));
    ASSERT_TRUE(QDir().mkdir(place));
    EXPECT_FALSE(form->SaveDocument(place));
    ExpectFailedSave(place, "folder in the way");
    EXPECT_TRUE(QFileInfo(place).isDir());
    ExpectRetrySucceeds();
}

TEST_F(Faults, NewDocumentKeepsItsUntitledNameAfterAFailedSaveAs)
{
    ASSERT_TRUE(form->SaveDocument(doc));
    form->table()->Changed = false;
    ASSERT_TRUE(form->NewDocument());
    const QString untitled = form->fileName();
    Edit(QStringLiteral("new work"));
    SafeFile::SetFaultHook([](SafeFile::Step step) { return step == SafeFile::Step::Commit; });
    const QString target = folder.filePath(QStringLiteral("other.qgd"));
    EXPECT_FALSE(form->SaveDocument(target));
    ASSERT_EQ(log.errors.size(), 1);
    EXPECT_TRUE(log.errors[0].startsWith(ShellTexts::withName(form->texts().cantsave, target) + "\n\n"));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(form->fileName(), untitled);
    EXPECT_TRUE(form->isNewFile());
    EXPECT_TRUE(form->table()->Changed);
    SafeFile::SetFaultHook(nullptr);
    EXPECT_TRUE(form->SaveDocument(target));
    EXPECT_FALSE(form->isNewFile());
}

TEST_F(Faults, PreviewPageWithoutAWritableProgramFolder)
{
    // The program folder does not exist as a folder: the page goes to the user's own folder.
    ExePath = folder.filePath(QStringLiteral("report.qgd/"));
    const QString page = PreviewPagePath();
    EXPECT_FALSE(page.startsWith(ExePath));
    EXPECT_TRUE(page.endsWith(QLatin1String("/Temp.htm")));
    EXPECT_TRUE(ExportHTML(*form->table(), page, "report"));
    EXPECT_TRUE(Contents(page).startsWith("<HTML>"));
    QFile::remove(page);
    ExePath = folder.path() + QLatin1Char('/');
}

}  // namespace
