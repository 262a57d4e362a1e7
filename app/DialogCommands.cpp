// The commands that open the property dialogs, the link dialog and the alignment picker: each
// fills its window from the table, shows it, and on OK changes the table as one step.

#include "app/ColorSwatch.h"
#include "app/FontList.h"
#include "app/Prompts.h"
#include "app/main.h"
#include "dialogs/Aligns.h"
#include "dialogs/CP.h"
#include "dialogs/Links.h"
#include "dialogs/TP.h"
#include "tables/Tables.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

void TForm1::actTablePropExecute()
{
    if (!TPF || !Table) return;
    TTPF& dialog = *TPF;
    TTPF::setBoundedValue(dialog.ColEdit, Table->ColCount);
    TTPF::setBoundedValue(dialog.RowEdit, Table->RowCount);
    TTPF::setBoundedValue(dialog.TBWEdit, Table->TableBorderWidth());
    dialog.TBCEdit->setColor(Table->TableBorderColor());
    TTPF::setBoundedValue(dialog.CBWEdit, Table->CellsBorderWidth);
    dialog.CBCEdit->setColor(Table->CellsBorderColor);
    TTPF::setBoundedValue(dialog.TMEdit, Table->CellsTextMargin);
    dialog.setWidthSpec(Table->TableWidth);
    dialog.setHeightSpec(Table->TableHeight);
    if (prompts().exec(dialog) != QDialog::Accepted) return;

    Table->BeginUpdate();
    Table->SetColCount(dialog.ColEdit->value());
    Table->SetRowCount(dialog.RowEdit->value());
    Table->SetTableBorderWidth(dialog.TBWEdit->value());
    Table->SetTableBorderColor(dialog.TBCEdit->color());
    Table->SetCellsBorderWidth(dialog.CBWEdit->value());
    Table->SetCellsBorderColor(dialog.CBCEdit->color());
    Table->SetCellsTextMargin(dialog.TMEdit->value());
    Table->SetTableWidth(dialog.widthSpec());
    Table->SetTableHeight(dialog.heightSpec());
    Table->EndUpdate();
    Table->AddUndoStep(TUndoStep::Command);
}

void TForm1::actCellPropExecute()
{
    if (!CPF || !Table) return;
    if (Table->SelCol < 0 || Table->SelRow < 0) Table->SelectCell(0, 0);
    const int col = Table->SelCol, row = Table->SelRow;
    if (!Table->IsVisibleCell(col, row)) return;  // a table without cells

    TCPF& dialog = *CPF;
    dialog.setFontList(FontBoxEntries());
    const TCell& cell = Table->Cell(col, row);
    dialog.setCellFormat(cell);
    dialog.setSpans(cell.ExtraCols, Table->ColCount - col - 1, cell.ExtraRows,
                    Table->RowCount - row - 1);

    CellPropOpen = true;
    if (prompts().exec(dialog) == QDialog::Accepted) {
        Table->BeginUpdate();
        dialog.getCellFormat(Table->Cell(col, row));
        Table->MergeCells(col, row, dialog.ColEdit->value(), dialog.RowEdit->value());
        Table->EndUpdate();
        Table->AddUndoStep(TUndoStep::Command);
    }
    // Bold and Italic may have been flipped inside the dialog: show the selection again.
    CellPropOpen = false;
    TableChange();
}

void TForm1::actLinkExecute()
{
    if (!LinkDialog || !Table || Table->Edit()->isHidden()) return;
    TLinkDialog& dialog = *LinkDialog;
    dialog.TextEdit->setText(Table->Edit()->GetSelText2());
    if (prompts().exec(dialog) != QDialog::Accepted) return;
    Table->InsertLink(dialog.TextEdit->text(), dialog.url(), dialog.OpenNewWindow->isChecked());
}

void TForm1::AlignKeyClick()
{
    if (AlignForm) AlignForm->popUpBelow(AlignKey);
}
