// The document life cycle of the main window with scripted answers: the unsaved-changes
// question and the Save As it may lead to, failed opens and saves, New with its template
// dialog and its free name, and the extension a chosen filter entry gives a typed name.

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "dialogs/TemplateDialog.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/ScriptedWindow.h"
#include "tests/SettingsSandbox.h"
#include "ui/FileNames.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScreen>
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

class Documents : public ScriptedWindowTest {
protected:
    TTable* table = nullptr;

    void SetUp() override
    {
        ScriptedWindowTest::SetUp();
        // The templates folder lies beside the program.
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Templates")));
        table = form->table();
        // Every test starts with an untitled document in the temporary folder.
        form->setDocumentName(path("Table.qgd"), true);
        answers.log.clear();
    }

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
    // The message, and under it the reason the loader gave.
    const QString message = QStringLiteral("Error opening file \"") + bad + QStringLiteral("\"!\n\n");
    ASSERT_TRUE(answers.errors[0].text.startsWith(message)) << answers.errors[0].text.toStdString();
    const QString why = answers.errors[0].text.mid(message.size());
    EXPECT_FALSE(why.isEmpty());
    if (GetParam() == BadFile::Folder) EXPECT_EQ(why, QStringLiteral("cannot open: it is a folder"));
    if (GetParam() == BadFile::Truncated) EXPECT_TRUE(why.startsWith(QStringLiteral("cut short")));
    EXPECT_EQ(form->fileName(), good);
    EXPECT_FALSE(form->isNewFile());
    EXPECT_EQ(form->windowTitle(), kCaption + good);
    EXPECT_EQ(table->SaveToBytes(), before) << "the good document is still on screen";
    EXPECT_FALSE(table->Changed);
}

INSTANTIATE_TEST_SUITE_P(Files, FailedOpen,
                         ::testing::Values(BadFile::Garbage, BadFile::Truncated, BadFile::Missing,
                                           BadFile::Folder));

// The reason speaks the active language, with its numbers where that language puts them.
TEST_F(Documents, TheReasonOfAFailedOpenIsInTheActiveLanguage)
{
    QByteArray future = table->SaveToBytes();
    future[0] = 7;  // a format version this program does not know
    WriteFile(path("future.qgd"), future);
    ApplyLanguageEntry(*form, "whyversion", QStringLiteral("Formatversion %1 unbekannt"), QString());
    ApplyLanguageEntry(*form, "whyshort",
                       QStringLiteral("%4 Bytes statt %3 für %1 x %2 Zellen"), QString());
    WriteFile(path("cut.qgd"), DocumentWithText(QStringLiteral("x")).left(700));

    EXPECT_FALSE(form->OpenDocument(path("future.qgd")));
    EXPECT_FALSE(form->OpenDocument(path("cut.qgd")));
    ASSERT_EQ(answers.errors.size(), 2u);
    EXPECT_TRUE(answers.errors[0].text.endsWith(QStringLiteral("\n\nFormatversion 7 unbekannt")))
        << answers.errors[0].text.toStdString();
    EXPECT_TRUE(answers.errors[1].text.endsWith(QStringLiteral("\n\n700 Bytes statt 1296 für 2 x 3 Zellen")))
        << answers.errors[1].text.toStdString();
}

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
    // The message, and under it the system's reason.
    EXPECT_TRUE(answers.errors[0].text.startsWith(QStringLiteral("Error saving file \"") + target +
                                                  QStringLiteral("\"!\n\n")));
    EXPECT_GT(answers.errors[0].text.size(), target.size() + 24);
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

// A border without title-bar buttons, centred on the desktop, not on the main window.
TEST_F(Documents, TheTemplateDialogHasNoCloseButtonAndSitsInTheMiddleOfTheDesktop)
{
    form->move(0, 0);
    answers.script = [](QDialog& d) {
        EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(d.windowFlags() & Qt::WindowSystemMenuHint);
        const QPoint middle = d.screen()->availableGeometry().center();
        EXPECT_LE((d.geometry().center() - middle).manhattanLength(), 4);
    };
    form->actNewExecute();
    answers.script = nullptr;
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

// The real dialog, worked as a user works it: "All files" lists files without an extension,
// keeps the proposed "Table.qgd" as it is, and a bare name typed there stays bare.
TEST_F(Documents, AllFilesInTheRealDialogShowsEveryFileAndAddsNoExtension)
{
    QFile plain(path("README"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    auto chooseAllFiles = [](QFileDialog& d) {
        d.setOption(QFileDialog::DontUseNativeDialog);
        d.show();
        d.selectNameFilter(d.nameFilters().constLast());
        return d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    };
    auto listed = [](QFileDialog& d, const QString& name) {
        auto* view = d.findChild<QListView*>(QStringLiteral("listView"));
        for (int i = 0; i < 100; ++i) {
            QApplication::processEvents();
            const QModelIndex root = view->rootIndex();
            for (int r = 0; r < view->model()->rowCount(root); ++r)
                if (view->model()->index(r, 0, root).data().toString() == name) return true;
            QTest::qWait(20);
        }
        return false;
    };

    edit();
    answers.fileScript = [&](QFileDialog& d) -> std::optional<QString> {
        QLineEdit* name = chooseAllFiles(d);
        EXPECT_EQ(d.selectedNameFilter(), QStringLiteral("All files (*)"));
        EXPECT_TRUE(listed(d, QStringLiteral("README"))) << "a file without an extension shows";
        EXPECT_EQ(name->text(), QStringLiteral("Table.qgd")) << "the proposed name stays";
        return d.selectedFiles().value(0);
    };
    ASSERT_TRUE(form->SaveDocumentAs());
    EXPECT_EQ(form->fileName(), path("Table.qgd"));
    EXPECT_TRUE(QFile::exists(path("Table.qgd")));

    ASSERT_TRUE(table->SaveToFile(path("notes")));
    answers.fileScript = [&](QFileDialog& d) -> std::optional<QString> {
        QLineEdit* name = chooseAllFiles(d);
        QApplication::setActiveWindow(&d);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("notes"));
        return d.selectedFiles().value(0);
    };
    form->OpenWithDialog();
    EXPECT_EQ(form->fileName(), path("notes")) << "no extension is added under All files";
    answers.fileScript = nullptr;
}

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
