// File > Import and Edit > Paste Table worked through scripted prompts: the chosen table of a
// page becomes a new untitled document with its report shown after it, and a table from the
// clipboard lands at the current cell as one undo step.

#include "tests/SettingsSandbox.h"

#include "app/MainWindow.h"
#include "formats/import/HtmlImport.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/ScriptedWindow.h"
#include "tests/ShellParts.h"
#include "tests/TableInvariants.h"
#include "ui/FileNames.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kCorpus = QStringLiteral(QG_SOURCE_DIR "/tests/data/import/");

class ImportCommands : public ScriptedWindowTest {
protected:
    TTable& table() const { return *form->table(); }
};

TEST_F(ImportCommands, TheChosenTableBecomesANewDocumentAndItsReportFollowsIt)
{
    const QString page = dir.filePath(QStringLiteral("wiki.html"));
    ASSERT_TRUE(QFile::copy(kCorpus + "wiki.html", page));
    const HtmlImport expected(ReadFile(page));
    ASSERT_GE(expected.Tables().size(), 2u);
    const QByteArray second = expected.Import(1).document;

    table().SetCellText(0, 0, QStringLiteral("unsaved"));
    table().Changed = true;
    answers.questionAnswers.push_back(QMessageBox::No);
    answers.fileAnswers.push_back(ScriptedPrompts::FileAnswer{page});
    QByteArray shownUnderReport;
    QString reportText;
    answers.script = [&](QDialog& dialog) {
        if (dialog.objectName() == "TableChooser") {
            Part<QListWidget>(dialog, "ListBox")->setCurrentRow(1);
            dialog.accept();
        } else if (dialog.objectName() == "ImportReport") {
            shownUnderReport = table().SaveToBytes();
            reportText = Part<QPlainTextEdit>(dialog, "Memo1")->toPlainText();
            dialog.accept();
        }
    };
    Part<QAction>(*form, "actImport")->trigger();

    EXPECT_EQ(answers.log, QStringList({"file", "dialog", "question", "dialog"}));
    EXPECT_EQ(shownUnderReport, second) << "the report comes after the table is in the grid";
    EXPECT_TRUE(reportText.contains("style sheets")) << reportText.toStdString();
    EXPECT_EQ(table().SaveToBytes(), second);
    EXPECT_EQ(form->fileName(), dir.filePath(QStringLiteral("wiki.qgd")));
    EXPECT_TRUE(form->isNewFile());
    EXPECT_TRUE(table().Changed);
    EXPECT_FALSE(table().CanUndo()) << "the import is where the history starts";

    // A refused page leaves the document as it was and says why.
    const QByteArray before = table().SaveToBytes();
    answers.fileAnswers.push_back(ScriptedPrompts::FileAnswer{kCorpus + "NOTES.md"});
    Part<QAction>(*form, "actImport")->trigger();
    ASSERT_EQ(answers.errors.size(), 1u);
    EXPECT_TRUE(answers.errors.front().text.contains("no table")) << answers.errors.front().text.toStdString();
    EXPECT_EQ(table().SaveToBytes(), before);
}

TEST_F(ImportCommands, PasteTableLandsAtTheCurrentCellAsOneStep)
{
    QAction* paste = Part<QAction>(*form, "actPasteTable");
    TTable& t = table();
    t.SetColCount(5);
    t.SetRowCount(5);
    t.SetCellText(0, 2, QStringLiteral("kept"));
    t.MergeCells(0, 2, 1, 1);  // (0,2)-(1,3): the paste at (1,1) cuts through it
    t.SelectCell(1, 1);
    t.StartHistory();
    const QByteArray before = t.SaveToBytes();

    QGuiApplication::clipboard()->setText(QStringLiteral("no table here"));
    QApplication::processEvents();
    form->ActionListUpdate();
    EXPECT_FALSE(paste->isEnabled());

    auto* data = new QMimeData;
    data->setHtml(QString::fromUtf8(ReadFile(kCorpus + "libreoffice-calc.html")));
    data->setText(QStringLiteral("ignored"));
    QGuiApplication::clipboard()->setMimeData(data);
    QApplication::processEvents();
    form->ActionListUpdate();
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();

    EXPECT_EQ(invariants::Check(t), "");
    EXPECT_EQ(t.Cell(1, 1).Text, QStringLiteral("Quarterly prices"));
    EXPECT_EQ(t.Cell(1, 1).ExtraCols, 3) << "the pasted merge keeps its span";
    EXPECT_FALSE(t.Cell(0, 2).isMerged()) << "the merge the paste cut through is split";
    EXPECT_EQ(t.Cell(0, 2).Text, QStringLiteral("kept"));
    EXPECT_GE(t.ColCount, 5);
    // Typing goes on from the pasted text: the editor holds it, not the cell's old text.
    QTest::keyClick(t.Edit(), Qt::Key_End);
    QTest::keyClicks(t.Edit(), QStringLiteral("!"));
    EXPECT_EQ(t.Cell(1, 1).Text, QStringLiteral("Quarterly prices!"));
    t.Undo();
    t.Undo();
    EXPECT_EQ(t.SaveToBytes(), before) << "one undo takes the whole paste back";
    EXPECT_FALSE(t.CanUndo());

    // Tab-separated text, as spreadsheets and text editors put it.
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\r\nc\td\r\n"));
    QApplication::processEvents();
    form->ActionListUpdate();
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(t.Cell(2, 2).Text, QStringLiteral("d"));
}

// A clipboard with several tables asks which, as Import does, and what becomes of the markup;
// the choice is what the next chooser starts from and what the settings keep.
TEST_F(ImportCommands, PasteTableOfSeveralTablesAsksWhichAndRemembersTheMarkupChoice)
{
    TTable& t = table();
    t.SelectCell(0, 0);
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<table><tr><td>first</table><p>and</p>"
                                 "<table><tr><td><span class=pre>second</span><td>two</table>"));
    QGuiApplication::clipboard()->setMimeData(data);
    QApplication::processEvents();
    form->ActionListUpdate();

    QString reportText;
    std::vector<bool> shownChecked;
    answers.script = [&](QDialog& dialog) {
        if (dialog.objectName() == "TableChooser") {
            shownChecked.push_back(Part<QRadioButton>(dialog, "ShownMarkup")->isChecked());
            Part<QListWidget>(dialog, "ListBox")->setCurrentRow(1);
            Part<QRadioButton>(dialog, "PageMarkup")->setChecked(true);
            dialog.accept();
        } else if (dialog.objectName() == "ImportReport") {
            reportText = Part<QPlainTextEdit>(dialog, "Memo1")->toPlainText();
            dialog.accept();
        }
    };
    Part<QAction>(*form, "actPasteTable")->trigger();
    EXPECT_EQ(answers.log, QStringList({"dialog", "dialog"}));
    EXPECT_EQ(t.Cell(0, 0).Text, "<span class=pre>second</span>");
    EXPECT_EQ(t.Cell(1, 0).Text, "two");
    EXPECT_EQ(reportText, "table: markup the table does not show: kept as the page wrote it");
    EXPECT_EQ(form->collectSettings().importMarkup, ImportMarkup::AsWritten);

    answers.script = [&](QDialog& dialog) {
        if (dialog.objectName() == "TableChooser") {
            shownChecked.push_back(Part<QRadioButton>(dialog, "ShownMarkup")->isChecked());
            dialog.reject();
        }
    };
    t.SelectCell(0, 1);
    const QByteArray before = t.SaveToBytes();
    Part<QAction>(*form, "actPasteTable")->trigger();
    EXPECT_EQ(shownChecked, std::vector<bool>({true, false})) << "the second chooser starts from the first's choice";
    EXPECT_EQ(t.SaveToBytes(), before) << "Cancel pastes nothing";
}

}  // namespace
