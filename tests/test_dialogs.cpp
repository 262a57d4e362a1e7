// The Table Properties and Cell Properties dialogs, the alignment picker and the link dialog,
// driven through the main window's commands with scripted answers.

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "dialogs/AlignmentPicker.h"
#include "dialogs/CellPropertiesDialog.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TablePropertiesDialog.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/ShellParts.h"
#include "ui/ColorSwatch.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Settings the main window may read or write stay in a folder of their own.
class PrivateSettingsFolder : public ::testing::Environment {
public:
    void SetUp() override { qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8()); }

private:
    QTemporaryDir dir_;
};
[[maybe_unused]] auto* const settingsFolder =
    ::testing::AddGlobalTestEnvironment(new PrivateSettingsFolder);

// The main window's dialogs, found by their classes as a user meets them through its commands.
TablePropertiesDialog* TPF = nullptr;
CellPropertiesDialog* CPF = nullptr;
LinkDialog* Link = nullptr;
AlignmentPicker* AlignForm = nullptr;

class DialogsTest : public ::testing::Test {
protected:
    ScriptedPrompts answers;
    std::unique_ptr<MainWindow> form;
    TTable* table = nullptr;

    void SetUp() override
    {
        setPrompts(&answers);
        form = std::make_unique<MainWindow>();
        form->createDialogs();
        TPF = form->findChild<TablePropertiesDialog*>();
        CPF = form->findChild<CellPropertiesDialog*>();
        Link = form->findChild<LinkDialog*>();
        AlignForm = form->findChild<AlignmentPicker*>();
        form->setStartMaximized(false);
        form->show();
        QApplication::processEvents();
        table = form->table();
    }
    void TearDown() override
    {
        form.reset();
        setPrompts(nullptr);
    }

    // Runs a command with a script for the dialog it shows.
    void run(void (MainWindow::*command)(), std::function<void(QDialog&)> script)
    {
        answers.script = std::move(script);
        (form.get()->*command)();
        answers.script = nullptr;
    }
    void selectOnly(int col, int row)
    {
        table->SelectCell(col, row);
        table->ResetSelection();
    }
    static void press(QWidget* widget, Qt::Key key) { QTest::keyClick(widget, key); }
};

// ---- Header cells, caption and column widths -----------------------------------------------

// The caption in Table Properties, the header flag in Cell Properties and Column Width for the
// selected columns: each OK one undo step, each Cancel none.
TEST_F(DialogsTest, CaptionHeaderCellAndColumnWidthAreOneStepEach)
{
    table->StartHistory();
    run(&MainWindow::actTablePropExecute, [](QDialog& d) {
        auto* caption = d.findChild<QLineEdit*>(QStringLiteral("CaptionEdit"));
        ASSERT_TRUE(caption);
        EXPECT_EQ(caption->text(), "");
        caption->setText(QStringLiteral("<b>Prices</b>"));
        d.accept();
    });
    EXPECT_EQ(table->Caption, "<b>Prices</b>");
    EXPECT_EQ(table->HistoryCount(), 2);

    selectOnly(1, 1);
    run(&MainWindow::actCellPropExecute, [](QDialog& d) {
        auto* header = d.findChild<QCheckBox*>(QStringLiteral("HeaderEdit"));
        ASSERT_TRUE(header);
        EXPECT_FALSE(header->isChecked());
        header->setChecked(true);
        d.accept();
    });
    EXPECT_TRUE(table->Cell(1, 1).Header);
    EXPECT_EQ(table->HistoryCount(), 3);

    // Two columns selected; the dialog starts from the first one's width.
    table->SetColWidth(0, {30, TSizeSpec::Percent});
    selectOnly(0, 0);
    table->ToggleCellSelection(1, 2);
    run(&MainWindow::actColWidthExecute, [](QDialog& d) {
        auto* units = d.findChild<QComboBox*>(QStringLiteral("UnitsEdit"));
        auto* value = d.findChild<QSpinBox*>(QStringLiteral("WidthEdit"));
        ASSERT_TRUE(units && value);
        EXPECT_EQ(units->currentIndex(), 1);
        EXPECT_EQ(value->value(), 30);
        units->setCurrentIndex(2);
        EXPECT_EQ(value->value(), 30) << "30 fits pixels too";
        value->setValue(90);
        d.accept();
    });
    EXPECT_EQ(table->ColWidths[0], (TSizeSpec{90, TSizeSpec::Pixels}));
    EXPECT_EQ(table->ColWidths[1], (TSizeSpec{90, TSizeSpec::Pixels}));
    const int steps = table->HistoryCount();
    run(&MainWindow::actColWidthExecute, [](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("UnitsEdit"))->setCurrentIndex(0);
        d.reject();
    });
    EXPECT_EQ(table->HistoryCount(), steps) << "cancelled";
    run(&MainWindow::actColWidthExecute, [](QDialog& d) {
        d.findChild<QComboBox*>(QStringLiteral("UnitsEdit"))->setCurrentIndex(0);
        d.accept();
    });
    EXPECT_FALSE(table->HasColWidths()) << "automatic again";
    table->Undo();
    EXPECT_EQ(table->ColWidths[1], (TSizeSpec{90, TSizeSpec::Pixels}));
}

// ---- Table Properties --------------------------------------------------------------------------

TEST_F(DialogsTest, UnitRulesKeepAValueInsideTheNewRangeAndFallBackOutsideIt)
{
    table->SetTableWidth({60, TSizeSpec::Pixels});
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        TablePropertiesDialog& d = *TPF;
        EXPECT_EQ(d.WidthMEdit->currentIndex(), 2);
        EXPECT_EQ(d.WidthEdit->value(), 60);
        d.WidthMEdit->setCurrentIndex(1);
        EXPECT_EQ(d.WidthEdit->value(), 60) << "60 pixels switched to % stays 60";
        EXPECT_EQ(d.WidthEdit->maximum(), 100);

        d.WidthMEdit->setCurrentIndex(2);
        d.WidthEdit->setValue(500);
        d.WidthMEdit->setCurrentIndex(1);
        EXPECT_EQ(d.WidthEdit->value(), 100) << "500 pixels switched to % becomes 100";

        d.WidthMEdit->setCurrentIndex(0);
        EXPECT_TRUE(d.WidthEdit->isHidden());
        d.WidthMEdit->setCurrentIndex(2);
        EXPECT_FALSE(d.WidthEdit->isHidden());
        EXPECT_EQ(d.WidthEdit->value(), 500) << "Default switched to Pixels becomes 500";
        EXPECT_EQ(d.WidthEdit->minimum(), 20);
    });
    EXPECT_EQ(table->TableWidth, (TSizeSpec{60, TSizeSpec::Pixels})) << "cancelled";
}

TEST_F(DialogsTest, EachShowingStartsFromTheTablesUnitsWhateverTheLastOneLeft)
{
    // The last showing ends on "Default", whose range is 0..0.
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        TPF->WidthMEdit->setCurrentIndex(0);
        TPF->HeightMEdit->setCurrentIndex(0);
    });

    table->SetTableWidth({800, TSizeSpec::Pixels});
    table->SetTableHeight({150, TSizeSpec::Percent});
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        EXPECT_EQ(TPF->WidthMEdit->currentIndex(), 2);
        EXPECT_EQ(TPF->WidthEdit->value(), 800);
        EXPECT_FALSE(TPF->WidthEdit->isHidden());
        EXPECT_EQ(TPF->HeightMEdit->currentIndex(), 1);
        EXPECT_EQ(TPF->HeightEdit->value(), 100) << "150 % from a file opens as 100";
    });

    table->SetTableWidth({400, TSizeSpec::Default});
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        EXPECT_EQ(TPF->WidthMEdit->currentIndex(), 0);
        EXPECT_TRUE(TPF->WidthEdit->isHidden());
    });
}

TEST_F(DialogsTest, OkWithoutAChangeRecordsOneStepAndChangesNothingElse)
{
    table->SetTableWidth({75, TSizeSpec::Percent});
    table->SetTableHeight({300, TSizeSpec::Pixels});
    table->SetTableBorderWidth(4);
    table->SetCellsBorderColor(0x123456);
    table->AddUndoStep(TUndoStep::Command);
    table->Changed = false;
    const QByteArray before = table->SaveToBytes();
    const int steps = table->HistoryCount();

    run(&MainWindow::actTablePropExecute, [](QDialog& d) { static_cast<TablePropertiesDialog&>(d).Button1->click(); });
    EXPECT_EQ(table->HistoryCount(), steps + 1);
    EXPECT_TRUE(table->Changed);
    EXPECT_EQ(table->SaveToBytes(), before);
}

TEST_F(DialogsTest, OkKeepsATableLargerThanTheDialogOffers)
{
    // The dialog offers 120 columns; a document may hold 127. OK must not trim it.
    table->SetColCount(125);
    table->SetCellText(124, 0, QStringLiteral("last"));
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        EXPECT_EQ(TPF->ColEdit->value(), 125);
        TPF->accept();
    });
    EXPECT_EQ(table->ColCount, 125);
    EXPECT_EQ(table->Cell(124, 0).Text, QStringLiteral("last"));

    table->SetColCount(3);
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        EXPECT_EQ(TPF->ColEdit->maximum(), 120) << "the raised maximum does not stay";
    });
}

TEST_F(DialogsTest, EnterAnywhereIsOkAndWritesEveryValueBack)
{
    answers.colorAnswer = QColor(0x11, 0x22, 0x33);
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        TablePropertiesDialog& d = *TPF;
        d.RowEdit->setValue(5);
        d.TBWEdit->setValue(7);
        QTest::mouseClick(d.TBCEdit, Qt::LeftButton);
        d.CBWEdit->setValue(2);
        d.TMEdit->setValue(9);
        d.HeightMEdit->setCurrentIndex(2);
        // A number typed into a spin box and not yet taken counts.
        d.ColEdit->selectAll();
        QTest::keyClicks(d.ColEdit, QStringLiteral("4"));
        press(d.WidthMEdit, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(table->ColCount, 4);
    EXPECT_EQ(table->RowCount, 5);
    EXPECT_EQ(table->TableBorderWidth(), 7);
    EXPECT_EQ(table->TableBorderColor(), 0x332211);
    EXPECT_EQ(table->CellsBorderWidth, 2);
    EXPECT_EQ(table->CellsTextMargin, 9);
    EXPECT_EQ(table->TableHeight, (TSizeSpec{500, TSizeSpec::Pixels}));
    EXPECT_EQ(table->HistoryCount(), 2);
}

TEST_F(DialogsTest, EnterMeansOkEvenOnTheCancelButton)
{
    // A focused push button would otherwise take Enter as a click on itself.
    const int steps = table->HistoryCount();
    run(&MainWindow::actTablePropExecute, [](QDialog&) { press(TPF->Button2, Qt::Key_Return); });
    EXPECT_EQ(table->HistoryCount(), steps + 1);

    table->SetCellText(0, 0, QStringLiteral("a"));
    selectOnly(0, 0);
    run(&MainWindow::actLinkExecute, [](QDialog&) {
        Link->URLEdit->setText(QStringLiteral("b.htm"));
        press(Link->Button2, Qt::Key_Enter);
    });
    EXPECT_TRUE(table->Cell(0, 0).Text.contains(QStringLiteral("b.htm")));
}

TEST_F(DialogsTest, EscLeavesTableAndHistoryAndTheNextShowingShowsTheTableAgain)
{
    const QByteArray before = table->SaveToBytes();
    const int steps = table->HistoryCount();
    answers.colorAnswer = QColor(Qt::red);
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        TPF->ColEdit->setValue(9);
        QTest::mouseClick(TPF->CBCEdit, Qt::LeftButton);
        EXPECT_EQ(TPF->CBCEdit->color(), 0x0000FF);
        press(TPF->ColEdit, Qt::Key_Escape);
    });
    EXPECT_EQ(table->SaveToBytes(), before);
    EXPECT_EQ(table->HistoryCount(), steps);
    EXPECT_FALSE(table->Changed);

    run(&MainWindow::actTablePropExecute, [&](QDialog&) {
        EXPECT_EQ(TPF->CBCEdit->color(), table->CellsBorderColor);
        EXPECT_EQ(TPF->ColEdit->value(), 2);
    });
}

TEST_F(DialogsTest, OneColumnTrimsMergedCells)
{
    table->SetColCount(3);
    ASSERT_TRUE(table->MergeCells(0, 0, 2, 1));
    run(&MainWindow::actTablePropExecute, [](QDialog&) {
        TPF->ColEdit->setValue(1);
        TPF->accept();
    });
    EXPECT_EQ(table->ColCount, 1);
    EXPECT_EQ(table->Cell(0, 0).ExtraCols, 0);
    EXPECT_EQ(table->Cell(0, 0).ExtraRows, 1);
}

TEST_F(DialogsTest, EveryDialogTakesTheSharedButtonCaptionsWhenShown)
{
    ApplyLanguageEntry(*form, "ok", QStringLiteral("Gut"), QString());
    ApplyLanguageEntry(*form, "cancel", QStringLiteral("Abbrechen"), QString());
    auto captions = [](QDialog& d) {
        EXPECT_EQ(d.findChild<QPushButton*>(QStringLiteral("Button1"))->text(), "Gut");
        EXPECT_EQ(d.findChild<QPushButton*>(QStringLiteral("Button2"))->text(), "Abbrechen");
    };
    selectOnly(0, 0);
    run(&MainWindow::actTablePropExecute, captions);
    run(&MainWindow::actCellPropExecute, captions);
    run(&MainWindow::actLinkExecute, captions);
    EXPECT_EQ(answers.shown, 3);
}

// ---- Cell Properties ---------------------------------------------------------------------------

TEST_F(DialogsTest, SpanBoxesTakeTheirRangeBeforeTheirValue)
{
    table->SetColCount(7);
    table->SetRowCount(3);
    selectOnly(6, 0);  // last column
    run(&MainWindow::actCellPropExecute, [](QDialog&) {
        EXPECT_FALSE(CPF->ColEdit->isEnabled());
        EXPECT_EQ(CPF->ColEdit->value(), 0);
        EXPECT_TRUE(CPF->RowEdit->isEnabled());
        EXPECT_EQ(CPF->RowEdit->maximum(), 2);
    });

    ASSERT_TRUE(table->MergeCells(0, 2, 5, 0));
    selectOnly(0, 2);  // last row, spanning five further columns
    run(&MainWindow::actCellPropExecute, [](QDialog&) {
        EXPECT_EQ(CPF->ColEdit->value(), 5);
        EXPECT_EQ(CPF->ColEdit->maximum(), 6);
        EXPECT_FALSE(CPF->RowEdit->isEnabled());
    });
}

TEST_F(DialogsTest, ANewCellOpensWithItsDefaultsAndWithoutACurrentCellTheFirstIsTaken)
{
    table->SelectCell(-1, -1);
    run(&MainWindow::actCellPropExecute, [](QDialog&) {
        EXPECT_EQ(CPF->SizeEdit->currentText(), "3");
        EXPECT_EQ(CPF->FCEdit->color(), 0);
        EXPECT_EQ(CPF->BCEdit->color(), 0xFFFFFF);
        EXPECT_TRUE(CPF->ToolButton2->isChecked());
        EXPECT_EQ(CPF->AlignGroup->checkedId(), 1);
    });
    EXPECT_EQ(table->SelCol, 0);
    EXPECT_EQ(table->SelRow, 0);
}

TEST_F(DialogsTest, FontBoxFindsAnInstalledFontInAnyCaseAndAnUnknownOneAsEmpty)
{
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    const QString installed = families.first();
    selectOnly(0, 0);
    table->Cell(0, 0).FontName = installed.toUpper().toUtf8();
    run(&MainWindow::actCellPropExecute, [&](QDialog&) {
        EXPECT_EQ(CPF->FontEdit->currentText(), installed);
        EXPECT_TRUE(CPF->FontEdit->findText(QStringLiteral("Default")) >= 0);
    });

    table->Cell(0, 0).FontName = "No Such Font Anywhere";
    run(&MainWindow::actCellPropExecute, [](QDialog& d) {
        EXPECT_EQ(CPF->FontEdit->currentText(), QString());
        d.accept();
    });
    EXPECT_TRUE(table->Cell(0, 0).FontName.isEmpty());
}

TEST_F(DialogsTest, BoldInsideTheDialogOnlyFlipsTheButtonUntilOk)
{
    selectOnly(0, 0);
    run(&MainWindow::actCellPropExecute, [&](QDialog& d) {
        CPF->BoldEdit->click();
        EXPECT_TRUE(CPF->BoldEdit->isChecked());
        EXPECT_FALSE(table->Cell(0, 0).Bold) << "no cell changes while the dialog is open";
        press(&d, Qt::Key_Escape);
    });
    EXPECT_FALSE(table->Cell(0, 0).Bold);
    EXPECT_FALSE(form->actBold->isChecked());
    EXPECT_FALSE(Part<QToolButton>(*form, "ToolButton5")->isChecked());
    form->actBold->trigger();
    EXPECT_TRUE(table->Cell(0, 0).Bold) << "Bold works on the table again once the dialog is closed";
    form->actBold->trigger();

    run(&MainWindow::actCellPropExecute, [](QDialog& d) {
        EXPECT_FALSE(CPF->BoldEdit->isChecked());
        CPF->ItalicEdit->click();
        d.accept();
    });
    EXPECT_TRUE(table->Cell(0, 0).Italic);
    EXPECT_TRUE(Part<QToolButton>(*form, "ToolButton6")->isChecked());
}

TEST_F(DialogsTest, OkChangesOnlyTheCurrentCellOfASelectionAsOneStep)
{
    table->SetColCount(3);
    selectOnly(0, 0);
    table->ToggleCellSelection(1, 0);
    table->ToggleCellSelection(0, 1);
    table->Cell(1, 0).Bold = true;  // the selection's common format differs from the cell's
    const int steps = table->HistoryCount();
    answers.colorAnswer = QColor(0, 0, 255);
    run(&MainWindow::actCellPropExecute, [](QDialog& d) {
        EXPECT_FALSE(CPF->BoldEdit->isChecked()) << "filled from the current cell";
        CPF->SizeEdit->setCurrentIndex(8);
        CPF->ToolButton9->click();
        QTest::mouseClick(CPF->BCEdit, Qt::LeftButton);
        CPF->FontEdit->setEditText(QString(70, QLatin1Char('x')));
        press(CPF->FontEdit, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible()) << "Enter in the font box is OK";
    });
    const TCell& cell = table->Cell(0, 0);
    EXPECT_EQ(cell.FontSize, 7);
    EXPECT_EQ(cell.VAlign, 2);
    EXPECT_EQ(cell.HAlign, 2);
    EXPECT_EQ(cell.BgColor, 0xFF0000);
    EXPECT_EQ(cell.FontName, QByteArray(64, 'x')) << "cut to 64 characters";
    for (auto [c, r] : {std::pair{1, 0}, std::pair{0, 1}}) {
        EXPECT_EQ(table->Cell(c, r).FontSize, 3);
        EXPECT_EQ(table->Cell(c, r).HAlign, 1);
        EXPECT_TRUE(table->Cell(c, r).Selected);
    }
    EXPECT_EQ(table->HistoryCount(), steps + 1);
    EXPECT_TRUE(table->Changed);
}

TEST_F(DialogsTest, WideningBesideAMergedAreaTakesTheWholeAreaIn)
{
    table->SetColCount(4);
    ASSERT_TRUE(table->MergeCells(1, 0, 2, 1));  // columns 1..3, rows 0..1
    selectOnly(0, 0);
    run(&MainWindow::actCellPropExecute, [](QDialog& d) {
        CPF->ColEdit->setValue(2);
        d.accept();
    });
    EXPECT_EQ(table->Cell(0, 0).ExtraCols, 3);
    EXPECT_EQ(table->Cell(0, 0).ExtraRows, 1);
    EXPECT_FALSE(table->Cell(1, 0).Visible);
}

// ---- Alignment picker --------------------------------------------------------------------------

TEST_F(DialogsTest, PickerShowsTheSelectionsCommonAlignmentUnderTheButton)
{
    selectOnly(0, 0);
    table->ToggleCellSelection(1, 1);
    TCell bottomRight;
    bottomRight.VAlign = 2;
    bottomRight.HAlign = 2;
    table->ApplyFormat(bottomRight, cfVAlign | cfHAlign);
    form->TableChange();
    form->AlignKeyClick();
    ASSERT_TRUE(AlignForm->isVisible());
    EXPECT_TRUE(AlignForm->ToolButton9->isChecked());
    for (QToolButton* b : {AlignForm->ToolButton1, AlignForm->ToolButton5, AlignForm->ToolButton8})
        EXPECT_FALSE(b->isChecked());
    AlignForm->hide();

    table->Cell(1, 1).VAlign = 0;
    table->Cell(1, 1).HAlign = 0;
    form->TableChange();
    form->AlignKeyClick();
    for (QToolButton* b : AlignForm->findChildren<QToolButton*>())
        EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
}

TEST_F(DialogsTest, PickerOpensUnderTheButtonWhereverTheWindowIs)
{
    auto offsetFromButtonCorner = [this] {
        form->AlignKeyClick();
        const QPoint corner = Part<QToolButton>(*form, "AlignKey")->mapToGlobal(QPoint(0, Part<QToolButton>(*form, "AlignKey")->height()));
        const QPoint offset = AlignForm->pos() - corner;
        AlignForm->hide();
        return offset;
    };
    EXPECT_EQ(offsetFromButtonCorner(), QPoint(0, 0));
    form->move(form->pos() + QPoint(30, 200));
    QApplication::processEvents();
    EXPECT_EQ(offsetFromButtonCorner(), QPoint(0, 0));
}

TEST_F(DialogsTest, PickerChoiceAlignsTheSelectionAsOneStepAndCloses)
{
    selectOnly(0, 0);
    table->ToggleCellSelection(1, 2);
    const int steps = table->HistoryCount();
    form->AlignKeyClick();
    AlignForm->ToolButton5->click();
    EXPECT_FALSE(AlignForm->isVisible());
    EXPECT_EQ(table->HistoryCount(), steps + 1);
    for (auto [c, r] : {std::pair{0, 0}, std::pair{1, 2}}) {
        EXPECT_EQ(table->Cell(c, r).VAlign, 1);
        EXPECT_EQ(table->Cell(c, r).HAlign, 1);
    }
    EXPECT_EQ(table->Cell(1, 0).VAlign, 0) << "unselected cells stay";
}

TEST_F(DialogsTest, AnyKeyClosesThePickerWithoutAChange)
{
    selectOnly(0, 0);
    const QByteArray before = table->SaveToBytes();
    const int steps = table->HistoryCount();
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Left, Qt::Key_Down}) {
        form->AlignKeyClick();
        ASSERT_TRUE(AlignForm->isVisible());
        press(AlignForm->ToolButton5, key);
        EXPECT_FALSE(AlignForm->isVisible()) << key;
    }
    EXPECT_EQ(table->SaveToBytes(), before);
    EXPECT_EQ(table->HistoryCount(), steps);
}

// ---- Link dialog -------------------------------------------------------------------------------

TEST_F(DialogsTest, LinkReplacesTheSelectedWordAndTheDialogKeepsTheAddressParts)
{
    table->SetCellText(0, 0, QStringLiteral("Go Home now"));
    selectOnly(0, 0);
    table->Edit()->setSelection(3, 4);
    run(&MainWindow::actLinkExecute, [](QDialog&) {
        EXPECT_EQ(Link->TextEdit->text(), "Home");
        EXPECT_EQ(Link->URLType->currentText(), "https://") << "a new link starts secure";
        Link->URLType->setCurrentIndex(1);  // "http://"
        Link->URLEdit->setText(QStringLiteral("example.org/home"));
        press(Link->URLEdit, Qt::Key_Return);
    });
    EXPECT_EQ(table->Cell(0, 0).Text,
              QStringLiteral("Go <A HREF=\"http://example.org/home\">Home</A> now"));

    // The next use shows what the first left; Esc changes nothing.
    table->Edit()->setSelection(0, 0);
    run(&MainWindow::actLinkExecute, [](QDialog&) {
        EXPECT_EQ(Link->TextEdit->text(), QString());
        EXPECT_EQ(Link->URLType->currentText(), "http://");
        EXPECT_EQ(Link->URLEdit->text(), "example.org/home");
        Link->OpenNewWindow->setChecked(true);
        Link->URLType->setEditText(QStringLiteral("mailto:"));
        press(Link->TextEdit, Qt::Key_Escape);
    });
    EXPECT_EQ(table->Cell(0, 0).Text,
              QStringLiteral("Go <A HREF=\"http://example.org/home\">Home</A> now"));
    run(&MainWindow::actLinkExecute, [](QDialog&) {
        EXPECT_EQ(Link->URLType->currentText(), "mailto:");
        EXPECT_TRUE(Link->OpenNewWindow->isChecked());
    });
}

TEST_F(DialogsTest, LinkAtTheCaretWithANewWindowAndNothingWithoutACurrentCell)
{
    table->SetCellText(0, 0, QStringLiteral("ab"));
    selectOnly(0, 0);
    table->Edit()->setSelection(1, 0);
    run(&MainWindow::actLinkExecute, [](QDialog& d) {
        Link->TextEdit->setText(QStringLiteral("x"));
        Link->URLType->setEditText(QString());
        Link->URLEdit->setText(QStringLiteral("page.htm"));
        Link->OpenNewWindow->setChecked(true);
        d.accept();
    });
    EXPECT_EQ(table->Cell(0, 0).Text,
              QStringLiteral("a<A HREF=\"page.htm\" TARGET=\"_BLANK\">x</A>b"));

    table->SelectCell(-1, -1);
    const int shown = answers.shown;
    form->actLinkExecute();
    EXPECT_EQ(answers.shown, shown) << "no dialog without a cell being edited";
}

}  // namespace

// ---- Preview window -----------------------------------------------------------------------------

// Esc, Ctrl+S and Ctrl+C reach the window wherever the focus is: on the source pane, and on a
// widget that appears inside the page area after the window showed, as the browser's own key
// widget does.
TEST_F(DialogsTest, PreviewKeysWorkWhereverTheFocusIs)
{
    auto* preview = form->findChild<PreviewWindow*>();
    ASSERT_NE(preview, nullptr);
    // Shown and active as the modal preview is, so that the main window's shortcuts stay out.
    auto showActive = [&] {
        preview->show();
        QApplication::setActiveWindow(preview);
    };
    auto showWithPage = [&] {
        showActive();
        auto* page = new QWidget(preview->Splitter1->widget(0));
        page->setFocusPolicy(Qt::StrongFocus);
        page->show();
        page->setFocus();
        return page;
    };

    QWidget* page = showWithPage();
    QTest::keyClick(page, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(answers.fileDialogs.size(), 1u) << "Ctrl+S on the page saves";
    EXPECT_TRUE(preview->isVisible());
    QTest::keyClick(page, Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible()) << "Esc on the page closes";

    page = showWithPage();
    QTest::keyClick(page, Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(preview->isVisible()) << "Ctrl+C on the page closes";

    showActive();
    preview->VSKey->setChecked(true);
    QTest::keyClick(preview->TextBox, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(answers.fileDialogs.size(), 2u) << "Ctrl+S on the source pane saves";
    QTest::keyClick(preview->TextBox, Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible()) << "Esc on the source pane closes";
}
