// The document life cycle of the main window with scripted answers: the unsaved-changes
// question and the Save As it may lead to, failed opens and saves, New with its template
// dialog and its free name, and the extension a chosen filter entry gives a typed name.

#include "dialogs/FileNames.h"
#include "app/MainWindow.h"
#include "dialogs/TemplateDialog.h"
#include "tables/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/SettingsSandbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kCaption = QStringLiteral("HTML Quillgrid - ");

QByteArray DocumentWithText(const QString& text)
{
    TableCore t;
    t.ResetTable();
    t.SetCellText(0, 0, text);
    return t.SaveToBytes();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Documents : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompts answers;
    std::unique_ptr<MainWindow> form;
    TTable* table = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The templates folder lies beside the program.
        ExePath = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Templates")));
        setPrompts(&answers);
        form = std::make_unique<MainWindow>();
        form->createDialogs();
        form->setStartMaximized(false);
        form->show();
        QApplication::processEvents();
        table = form->table();
        // Every test starts with an untitled document in the temporary folder.
        form->setDocumentName(path("Table.qgd"), true);
        answers.log.clear();
    }
    void TearDown() override
    {
        form.reset();
        setPrompts(nullptr);
        ExePath.clear();
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Types into cell (0, 0) as the user would, which makes the document changed.
    void edit(const char* text = "edited")
    {
        table->SelectCell(0, 0);
        table->ResetSelection();
        QTest::keyClicks(table->Edit(), QString::fromUtf8(text));
        ASSERT_TRUE(table->Changed);
    }

    // The New command with the template dialog answered OK on its current entry.
    void newCommand()
    {
        answers.script = [](QDialog& d) { d.accept(); };
        form->actNewExecute();
        answers.script = nullptr;
    }
};

// ---- The unsaved-changes question --------------------------------------------------------------

enum class Flow { New, Open, Close };

void PrintTo(Flow flow, std::ostream* os)
{
    *os << (flow == Flow::New ? "New" : flow == Flow::Open ? "Open" : "Close");
}

std::string FlowName(const ::testing::TestParamInfo<Flow>& info)
{
    switch (info.param) {
    case Flow::New: return "New";
    case Flow::Open: return "Open";
    case Flow::Close: return "Close";
    }
    return "";
}

class Question : public Documents, public ::testing::WithParamInterface<Flow> {
protected:
    QString other;

    void SetUp() override
    {
        Documents::SetUp();
        other = path("other.qgd");
        WriteFile(other, DocumentWithText(QStringLiteral("other")));
        // Gone once New has reset the table.
        table->SetCellText(1, 2, QStringLiteral("marker"));
    }

    // Runs the flow; true when it went through.
    bool run()
    {
        switch (GetParam()) {
        case Flow::New:
            newCommand();
            return table->Cell(1, 2).Text.isEmpty();
        case Flow::Open: return form->OpenDocument(other);
        case Flow::Close: return form->close();
        }
        return false;
    }
};

}  // namespace

TEST_P(Question, YesOnANeverSavedDocumentRunsSaveAsAndItsCancelCancelsEverything)
{
    edit();
    const QByteArray before = table->SaveToBytes();
    const QString name = form->fileName();
    answers.questionAnswers = {QMessageBox::Yes};
    answers.fileAnswers = {std::nullopt};

    EXPECT_FALSE(run());

    ASSERT_EQ(answers.questions.size(), 1u);
    EXPECT_EQ(answers.questions[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(answers.questions[0].text,
              QStringLiteral("File \"") + name +
                  QStringLiteral("\" was changed. Do you want to save changes?"));
    ASSERT_EQ(answers.fileDialogs.size(), 1u);
    EXPECT_EQ(answers.fileDialogs[0].mode, QFileDialog::AcceptSave);
    EXPECT_EQ(answers.fileDialogs[0].folder, QDir(dir.path()).absolutePath());
    EXPECT_TRUE(answers.errors.empty());

    EXPECT_EQ(table->SaveToBytes(), before);
    EXPECT_TRUE(table->Changed);
    EXPECT_TRUE(table->CanUndo()) << "the history survives";
    EXPECT_EQ(form->fileName(), name);
    EXPECT_TRUE(form->isNewFile());
    EXPECT_EQ(form->windowTitle(), kCaption + name);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(QFile::exists(name)) << "nothing was saved";
}

TEST_P(Question, YesThenAFileNameSavesAndTheFlowGoesOn)
{
    edit();
    const QByteArray edited = table->SaveToBytes();
    answers.questionAnswers = {QMessageBox::Yes};
    answers.fileAnswers = {ScriptedPrompts::FileAnswer{path("kept"), 1}};

    EXPECT_TRUE(run());
    EXPECT_EQ(ReadFile(path("kept.qgd")), edited);
    switch (GetParam()) {
    case Flow::New:
        EXPECT_EQ(form->fileName(), path("Table.qgd"));
        EXPECT_TRUE(form->isNewFile());
        EXPECT_EQ(table->Cell(0, 0).Text, QString());
        break;
    case Flow::Open:
        EXPECT_EQ(form->fileName(), other);
        EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("other"));
        break;
    case Flow::Close: EXPECT_FALSE(form->isVisible()); break;
    }
    EXPECT_FALSE(table->Changed);
}

TEST_P(Question, NoDiscardsTheChangesWithoutAFileDialog)
{
    edit();
    answers.questionAnswers = {QMessageBox::No};
    EXPECT_TRUE(run());
    EXPECT_TRUE(answers.fileDialogs.empty());
    EXPECT_FALSE(QFile::exists(path("Table.qgd")));
    EXPECT_FALSE(table->Changed);
}

TEST_P(Question, AnUnchangedDocumentAsksNothing)
{
    EXPECT_TRUE(run());
    EXPECT_TRUE(answers.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Flows, Question, ::testing::Values(Flow::New, Flow::Open, Flow::Close),
                         FlowName);

TEST_F(Documents, YesOnANamedDocumentSavesUnderItsNameWithoutADialog)
{
    const QString named = path("named.qgd");
    WriteFile(named, DocumentWithText(QStringLiteral("old")));
    ASSERT_TRUE(form->OpenDocument(named));
    edit("new ");
    const QByteArray edited = table->SaveToBytes();
    answers.questionAnswers = {QMessageBox::Yes};
    newCommand();
    EXPECT_TRUE(answers.fileDialogs.empty());
    EXPECT_EQ(ReadFile(named), edited);
    EXPECT_EQ(form->fileName(), path("Table.qgd"));
}

// ---- Failed open and save ----------------------------------------------------------------------

namespace {

enum class BadFile { Garbage, Truncated, Missing, Folder };

void PrintTo(BadFile bad, std::ostream* os)
{
    const char* names[] = {"garbage", "truncated", "missing", "folder"};
    *os << names[int(bad)];
}

class FailedOpen : public Documents, public ::testing::WithParamInterface<BadFile> {
protected:
    QString badPath()
    {
        switch (GetParam()) {
        case BadFile::Garbage:
            WriteFile(path("bad.qgd"), "this is not a table");
            return path("bad.qgd");
        case BadFile::Truncated:
            WriteFile(path("cut.qgd"), DocumentWithText(QStringLiteral("x")).left(700));
            return path("cut.qgd");
        case BadFile::Missing: return path("nothere.qgd");
        case BadFile::Folder:
            QDir(dir.path()).mkdir(QStringLiteral("folder.qgd"));
            return path("folder.qgd");
        }
        return {};
    }
};

}  // namespace

TEST_P(FailedOpen, ShowsCantOpenAndKeepsTheDocumentItsNameAndItsTable)
{
    const QString good = path("good.qgd");
    WriteFile(good, DocumentWithText(QStringLiteral("good")));
    ASSERT_TRUE(form->OpenDocument(good));
    table->SelectCell(0, 0);
    const QByteArray before = table->SaveToBytes();
    const QString bad = badPath();

    EXPECT_FALSE(form->OpenDocument(bad));

    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_EQ(answers.errors[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(answers.errors[0].text, QStringLiteral("Error opening file \"") + bad +
                                          QStringLiteral("\"!"));
    EXPECT_EQ(form->fileName(), good);
    EXPECT_FALSE(form->isNewFile());
    EXPECT_EQ(form->windowTitle(), kCaption + good);
    EXPECT_EQ(table->SaveToBytes(), before) << "the good document is still on screen";
    EXPECT_FALSE(table->Changed);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedOpen,
                         ::testing::Values(BadFile::Garbage, BadFile::Truncated, BadFile::Missing,
                                           BadFile::Folder));

TEST_F(Documents, FailedOpenAfterNoKeepsTheEditsAndTheirHistory)
{
    // Discarding the changes was asked for the sake of the new file; without it nothing
    // may be lost.
    edit();
    const QByteArray edited = table->SaveToBytes();
    const int steps = table->HistoryCount();
    answers.questionAnswers = {QMessageBox::No};
    EXPECT_FALSE(form->OpenDocument(path("nothere.qgd")));
    EXPECT_EQ(table->SaveToBytes(), edited);
    EXPECT_EQ(table->HistoryCount(), steps);
    EXPECT_TRUE(table->Changed);
    EXPECT_EQ(answers.log, QStringList({"question", "error"}));
}

TEST_F(Documents, FailedSaveShowsCantSaveKeepsChangedAndARetryWorks)
{
    WriteFile(path("afile"), "a file, not a folder");
    const QString target = path("afile/doc.qgd");
    edit();
    const QString name = form->fileName();

    EXPECT_FALSE(form->SaveDocument(target));
    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_EQ(answers.errors[0].caption, QStringLiteral("Error!"));
    EXPECT_EQ(answers.errors[0].text,
              QStringLiteral("Error saving file \"") + target + QStringLiteral("\"!"));
    EXPECT_TRUE(table->Changed);
    EXPECT_EQ(form->fileName(), name);
    EXPECT_TRUE(form->isNewFile());
    EXPECT_EQ(form->windowTitle(), kCaption + name);

    // Save on the still untitled document asks for a name again.
    answers.fileAnswers = {ScriptedPrompts::FileAnswer{path("afile/x"), 1},
                           ScriptedPrompts::FileAnswer{path("retry"), 1}};
    EXPECT_FALSE(form->SaveCurrent());
    EXPECT_EQ(answers.errors.size(), 2u);
    EXPECT_TRUE(form->SaveCurrent());
    EXPECT_FALSE(table->Changed);
    EXPECT_FALSE(form->isNewFile());
    EXPECT_EQ(form->windowTitle(), kCaption + path("retry.qgd"));
    EXPECT_EQ(ReadFile(path("retry.qgd")), table->SaveToBytes());
}

// ---- New ---------------------------------------------------------------------------------------

TEST_F(Documents, NewShowsTheTemplateDialogFirstAndTheQuestionSecond)
{
    edit();
    const QByteArray edited = table->SaveToBytes();
    answers.questionAnswers = {QMessageBox::Cancel};
    newCommand();
    EXPECT_EQ(answers.log, QStringList({"dialog", "question"}));
    EXPECT_EQ(table->SaveToBytes(), edited);
    EXPECT_EQ(form->fileName(), path("Table.qgd"));
}

TEST_F(Documents, CancelInTheTemplateDialogAsksNothingAndChangesNothing)
{
    edit();
    const QByteArray edited = table->SaveToBytes();
    form->actNewExecute();  // no script: the dialog is cancelled
    EXPECT_EQ(answers.log, QStringList({"dialog"}));
    EXPECT_EQ(table->SaveToBytes(), edited);
    EXPECT_TRUE(table->Changed);
}

TEST_F(Documents, NewTakesTheFirstFreeNameOfTheDocumentsFolder)
{
    WriteFile(path("Table.qgd"), DocumentWithText(QString()));
    WriteFile(path("Table01.qgd"), DocumentWithText(QString()));
    WriteFile(path("mine.qgd"), DocumentWithText(QStringLiteral("mine")));
    ASSERT_TRUE(form->OpenDocument(path("mine.qgd")));
    newCommand();
    EXPECT_EQ(form->windowTitle(), kCaption + path("Table02.qgd"));
    EXPECT_TRUE(form->isNewFile());
    EXPECT_FALSE(table->Changed);
    EXPECT_EQ(table->HistoryCount(), 1);
    EXPECT_EQ(QPoint(table->SelCol, table->SelRow), QPoint(0, 0))
        << "the visible window gets a current cell";
}

TEST_F(Documents, NewFromATemplateLoadsItUntitledAndUnchanged)
{
    TableCore price;
    price.ResetTable();
    price.SetColCount(3);
    price.SetCellText(2, 0, QStringLiteral("Price"));
    WriteFile(path("Templates/Price.qgt"), price.SaveToBytes());

    answers.script = [](QDialog& d) {
        auto& dialog = static_cast<TemplateDialog&>(d);
        ASSERT_EQ(dialog.ListBox->count(), 2);
        dialog.ListBox->setCurrentRow(1);
        dialog.accept();
    };
    form->actNewExecute();
    answers.script = nullptr;

    EXPECT_EQ(table->ColCount, 3);
    EXPECT_EQ(table->Cell(2, 0).Text, QStringLiteral("Price"));
    EXPECT_EQ(form->fileName(), path("Table.qgd")) << "the template's name is not adopted";
    EXPECT_TRUE(form->isNewFile());
    EXPECT_FALSE(table->Changed);
    EXPECT_FALSE(table->CanUndo());
}

// ---- File dialogs ------------------------------------------------------------------------------

namespace {

struct EntryCase {
    int filterIndex;
    const char* typed;
    const char* written;
};

void PrintTo(const EntryCase& c, std::ostream* os)
{
    *os << "entry " << c.filterIndex << ", typed " << c.typed;
}

class SaveAsEntry : public Documents, public ::testing::WithParamInterface<EntryCase> {};

}  // namespace

TEST_P(SaveAsEntry, TypedNameGetsTheEntrysExtension)
{
    const EntryCase& c = GetParam();
    edit();
    answers.fileAnswers = {ScriptedPrompts::FileAnswer{path(c.typed), c.filterIndex}};
    ASSERT_TRUE(form->SaveDocumentAs());
    ASSERT_EQ(answers.fileDialogs.size(), 1u);
    EXPECT_EQ(answers.fileDialogs[0].folder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(form->fileName(), path(c.written));
    EXPECT_EQ(ReadFile(path(c.written)), table->SaveToBytes());
    EXPECT_EQ(form->windowTitle(), kCaption + path(c.written));
    EXPECT_FALSE(form->isNewFile());
    EXPECT_FALSE(table->Changed);
}

INSTANTIATE_TEST_SUITE_P(Entries, SaveAsEntry,
                         ::testing::Values(EntryCase{1, "report", "report.qgd"},
                                           EntryCase{2, "report", "report.qgt"},
                                           EntryCase{3, "report", "report"},
                                           EntryCase{2, "report.txt", "report.txt"}));

TEST_F(Documents, OpenThroughTheDialogAddsTheEntrysExtensionOnlyToABareName)
{
    WriteFile(path("plain"), DocumentWithText(QStringLiteral("plain")));
    WriteFile(path("doc.qgd"), DocumentWithText(QStringLiteral("doc")));
    answers.fileAnswers = {ScriptedPrompts::FileAnswer{path("plain"), 3},
                           ScriptedPrompts::FileAnswer{path("doc"), 1}};

    form->OpenWithDialog();
    EXPECT_EQ(form->fileName(), path("plain"));
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("plain"));
    ASSERT_EQ(answers.fileDialogs.size(), 1u);
    EXPECT_EQ(answers.fileDialogs[0].mode, QFileDialog::AcceptOpen);
    EXPECT_EQ(answers.fileDialogs[0].folder, QDir(dir.path()).absolutePath());

    form->OpenWithDialog();
    EXPECT_EQ(form->fileName(), path("doc.qgd"));
    EXPECT_EQ(table->Cell(0, 0).Text, QStringLiteral("doc"));

    form->OpenWithDialog();  // cancelled
    EXPECT_EQ(form->fileName(), path("doc.qgd"));
    EXPECT_TRUE(answers.errors.empty());
}
