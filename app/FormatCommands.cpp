// The format commands: Cell Properties, Bold, Italic, the nine alignments and the three of
// the keyboard, and the font, size and colour controls of the cell tool bar. Each changes the
// selection as one edit (one undo step).

#include "app/MainWindow.h"

#include "core/TableEdit.h"
#include "dialogs/AlignmentPicker.h"
#include "dialogs/CellPropertiesDialog.h"
#include "dialogs/DialogParts.h"
#include "grid/Tables.h"
#include "ui/ColorSwatch.h"
#include "ui/FontList.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

void MainWindow::actCellPropExecute()
{
    if (!cellPropertiesDialog_) return;
    if (table_->SelCol < 0 || table_->SelRow < 0) table_->SelectCell(0, 0);
    const int col = table_->SelCol, row = table_->SelRow;
    if (!table_->IsVisibleCell(col, row)) return;  // a table without cells

    const TCell& cell = table_->Cell(col, row);
    CellProperties shown;
    shown.format = cell;
    shown.extraCols = cell.ExtraCols;
    shown.maxExtraCols = table_->ColCount - col - 1;
    shown.extraRows = cell.ExtraRows;
    shown.maxExtraRows = table_->RowCount - row - 1;
    cellPropertiesDialog_->setFontList(FontBoxEntries());
    cellPropertiesDialog_->setCellProperties(shown);

    cellPropertiesOpen_ = true;
    if (prompts().exec(*cellPropertiesDialog_) == QDialog::Accepted) {
        const CellProperties chosen = cellPropertiesDialog_->cellProperties();
        TableEdit edit(*table_);
        CopyFormat(table_->Cell(col, row), chosen.format, cfAllButText | cfHeader);
        table_->MergeCells(col, row, chosen.extraCols, chosen.extraRows);
    }
    // Bold and Italic may have been flipped inside the dialog: show the selection again.
    cellPropertiesOpen_ = false;
    TableChange();
}

void MainWindow::applyFormat(const TCell& cell, unsigned fields)
{
    TableEdit edit(*table_);
    table_->ApplyFormat(cell, fields);
}

void MainWindow::actBoldExecute()
{
    // The action's check state flipped when it was triggered: that is the new state.
    if (cellPropertiesOpen_) return;
    TCell cell;
    cell.Bold = actBold->isChecked();
    applyFormat(cell, cfBold);
}

void MainWindow::actItalicExecute()
{
    if (cellPropertiesOpen_) return;
    TCell cell;
    cell.Italic = actItalic->isChecked();
    applyFormat(cell, cfItalic);
}

void MainWindow::actAlignExecute(int alignment)
{
    TCell cell;
    cell.VAlign = alignment / 3;
    cell.HAlign = alignment % 3;
    applyFormat(cell, cfVAlign | cfHAlign);
}

void MainWindow::actAlignLeftExecute(int horizontal)
{
    TCell cell;
    cell.HAlign = horizontal;
    applyFormat(cell, cfHAlign);
}

void MainWindow::FontBoxChange()
{
    TCell cell;
    cell.FontName = FontNameFromString(FontBox->currentText());
    applyFormat(cell, cfFontName);
}

void MainWindow::SizeBoxChange()
{
    TCell cell;
    cell.FontSize = SizeBox->currentIndex() - 1;
    applyFormat(cell, cfFontSize);
}

void MainWindow::ColorBox1MouseDown()
{
    const auto chosen = prompts().color(this, ColorToQColor(ColorBox1->color()));
    if (!chosen) return;
    ColorBox1->setColor(QColorToColor(*chosen));
    TCell cell;
    cell.BgColor = ColorBox1->color();
    applyFormat(cell, cfBgColor);
}

void MainWindow::ColorBox2MouseDown()
{
    const auto chosen = prompts().color(this, ColorToQColor(ColorBox2->color()));
    if (!chosen) return;
    ColorBox2->setColor(QColorToColor(*chosen));
    TCell cell;
    cell.FontColor = ColorBox2->color();
    applyFormat(cell, cfFontColor);
}

void MainWindow::AlignKeyClick()
{
    if (alignmentPicker_) alignmentPicker_->popUpBelow(AlignKey);
}
