// Crash recovery: the copy of unsaved work, when it is written and removed, and the question
// at the next start with its two answers.

#include "tests/SettingsSandbox.h"

#include "app/MainWindow.h"
#include "app/Recovery.h"
#include "grid/Tables.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace {

struct Answers : Prompts {
    std::deque<QMessageBox::StandardButton> answers;
    QStringList captions, texts;
    int errors = 0;
    QMessageBox::StandardButton question(QWidget*, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        captions << caption;
        texts << text;
        if (answers.empty()) return QMessageBox::Cancel;
        const auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void error(QWidget*, const QString&, const QString&) override { ++errors; }
    std::optional<QString> fileDialog(QFileDialog&) override { return std::nullopt; }
};

class Recovery : public ::testing::Test {
protected:
    QTemporaryDir program, data;
    Answers prompts;
    std::unique_ptr<MainWindow> form;
    TRecovery* recovery = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(program.isValid() && data.isValid());
        ExePath = program.path() + QLatin1Char('/');
        setPrompts(&prompts);
        Start();
    }
    void TearDown() override
    {
        form.reset();
        setPrompts(nullptr);
    }

    // A start of the program as far as recovery goes; the previous window goes away the way a
    // crash takes it: without closing, so that its copy stays behind.
    void Start()
    {
        form.reset();
        form = std::make_unique<MainWindow>();
        recovery = new TRecovery(*form, data.path());
        ASSERT_TRUE(recovery->Active());
    }

    void Type(const QString& text)
    {
        form->table()->SetCellText(0, 0, text);
        form->table()->AddUndoStep(TUndoStep::Typing);
    }
    bool HasCopy() const { return QFile::exists(recovery->CopyPath()); }
};

TEST_F(Recovery, TheCopyIsWrittenAfterTheChangesNotOnThem)
{
    EXPECT_FALSE(recovery->Pending());
    Type(QStringLiteral("a"));
    Type(QStringLiteral("ab"));
    EXPECT_TRUE(recovery->Pending());
    EXPECT_FALSE(HasCopy()) << "nothing is written on the keystroke itself";

    recovery->Flush();
    EXPECT_FALSE(recovery->Pending());
    ASSERT_TRUE(HasCopy());
    QFile copy(recovery->CopyPath());
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), form->table()->SaveToBytes());
    const auto info = TRecovery::ReadInfo(recovery->InfoPath());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->fileName, form->fileName());
    EXPECT_TRUE(info->isNewFile);
    EXPECT_TRUE(info->time.isValid());
}

TEST_F(Recovery, TheRealTimerWritesTheCopy)
{
    Type(QStringLiteral("waiting"));
    // Waits for the timer's own write (two seconds after the change), at most ten seconds.
    for (int i = 0; i < 200 && !HasCopy(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    EXPECT_TRUE(HasCopy());
}

TEST_F(Recovery, SavingDiscardingAndClosingRemoveTheCopy)
{
    const QString doc = program.filePath(QStringLiteral("kept.qgd"));
    Type(QStringLiteral("to be saved"));
    recovery->Flush();
    ASSERT_TRUE(form->SaveDocument(doc));
    EXPECT_FALSE(HasCopy()) << "save";
    EXPECT_FALSE(recovery->Pending());

    Type(QStringLiteral("to be dropped"));
    recovery->Flush();
    prompts.answers = {QMessageBox::No};
    ASSERT_TRUE(form->NewDocument());
    EXPECT_FALSE(HasCopy()) << "New after No";

    Type(QStringLiteral("dropped again"));
    recovery->Flush();
    prompts.answers = {QMessageBox::No};
    ASSERT_TRUE(form->OpenDocument(doc));
    EXPECT_FALSE(HasCopy()) << "Open after No";

    Type(QStringLiteral("closing"));
    recovery->Flush();
    prompts.answers = {QMessageBox::No};
    form->close();
    EXPECT_FALSE(HasCopy()) << "clean close";

    // Undoing back to the saved state leaves the document changed, so the copy stays.
    form = std::make_unique<MainWindow>();
    recovery = new TRecovery(*form, data.path());
    Type(QStringLiteral("x"));
    form->table()->Undo();
    recovery->Flush();
    EXPECT_TRUE(form->table()->Changed);
    EXPECT_TRUE(HasCopy());
}

TEST_F(Recovery, YesAtTheNextStartBringsTheTableBackUnderItsName)
{
    const QString doc = program.filePath(QStringLiteral("named.qgd"));
    Type(QStringLiteral("saved text"));
    ASSERT_TRUE(form->SaveDocument(doc));
    Type(QStringLiteral("unsaved text"));
    recovery->Flush();
    const QByteArray lost = form->table()->SaveToBytes();

    Start();
    prompts.answers = {QMessageBox::Yes};
    EXPECT_TRUE(recovery->OfferRestore());
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.captions[0], form->texts().warning);
    EXPECT_TRUE(prompts.texts[0].startsWith(QLatin1String("The editor was closed unexpectedly on ")));
    EXPECT_FALSE(prompts.texts[0].contains(QLatin1String("%s")));
    EXPECT_EQ(form->table()->SaveToBytes(), lost);
    EXPECT_EQ(form->table()->Cell(0, 0).Text, QStringLiteral("unsaved text"));
    EXPECT_EQ(form->fileName(), doc);
    EXPECT_FALSE(form->isNewFile());
    EXPECT_TRUE(form->table()->Changed);
    EXPECT_EQ(form->table()->HistoryCount(), 1);
    EXPECT_TRUE(HasCopy()) << "still unsaved";
    EXPECT_EQ(prompts.errors, 0);

    // Save writes to the original file without asking for a name, and the copy goes.
    EXPECT_TRUE(form->SaveCurrent());
    EXPECT_FALSE(HasCopy());
    QFile saved(doc);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), lost);
}

TEST_F(Recovery, NoRemovesTheCopyAndStartsAFreshTable)
{
    Type(QStringLiteral("unwanted"));
    recovery->Flush();
    Start();
    const QByteArray fresh = form->table()->SaveToBytes();
    prompts.answers = {QMessageBox::No};
    EXPECT_FALSE(recovery->OfferRestore());
    EXPECT_EQ(prompts.texts.size(), 1);
    EXPECT_FALSE(HasCopy());
    EXPECT_FALSE(QFile::exists(recovery->InfoPath()));
    EXPECT_EQ(form->table()->SaveToBytes(), fresh);
    EXPECT_FALSE(form->table()->Changed);

    // Nothing left: the next start asks nothing.
    Start();
    EXPECT_FALSE(recovery->OfferRestore());
    EXPECT_EQ(prompts.texts.size(), 1);
}

TEST_F(Recovery, ABrokenCopyIsDroppedWithoutAQuestion)
{
    Type(QStringLiteral("soon broken"));
    recovery->Flush();
    Start();
    QFile copy(recovery->CopyPath());
    ASSERT_TRUE(copy.resize(100));
    EXPECT_FALSE(recovery->OfferRestore());
    EXPECT_TRUE(prompts.texts.isEmpty());
    EXPECT_EQ(prompts.errors, 0);
    EXPECT_FALSE(HasCopy());
}

TEST_F(Recovery, ASecondRunningCopyLeavesTheFirstOnesCopyAlone)
{
    Type(QStringLiteral("first program's work"));
    recovery->Flush();
    MainWindow second;
    auto* other = new TRecovery(second, data.path());
    EXPECT_FALSE(other->Active());
    EXPECT_FALSE(other->OfferRestore());
    second.table()->SetCellText(0, 0, QStringLiteral("second"));
    second.table()->AddUndoStep(TUndoStep::Command);
    prompts.answers = {QMessageBox::No};
    second.close();
    EXPECT_TRUE(prompts.texts.size() == 1) << "only the close question";
    EXPECT_TRUE(HasCopy());
}

}  // namespace
