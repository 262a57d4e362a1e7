#pragma once
// Cell Properties: spans, font, size, style, colours and alignment of the current cell. The
// command fills it from the cell and, on OK, writes the values back as one undoable step.
// Bold and Italic are the main window's own commands, which only flip their check marks while
// the dialog is open.

#include "tables/Cell.h"

#include <QDialog>

class ColorSwatch;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;
class TForm1;

class TCPF : public QDialog {
    Q_OBJECT
public:
    explicit TCPF(TForm1* form);
    ~TCPF() override;

    QPushButton *Button1, *Button2;
    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *ColLab, *RowLab, *SizeLab, *StyleLab, *BackLab, *FCLab, *AlignLab;
    QSpinBox *ColEdit, *RowEdit;
    QComboBox *FontEdit, *SizeEdit;
    QWidget *ToolBar, *ToolBar1;
    QToolButton *BoldEdit, *ItalicEdit;
    ColorSwatch *BCEdit, *FCEdit;
    // Alignment n = 3 * VAlign + HAlign is ToolButton(n + 1); exactly one is down.
    QToolButton *ToolButton1, *ToolButton2, *ToolButton3, *ToolButton4, *ToolButton5,
        *ToolButton6, *ToolButton7, *ToolButton8, *ToolButton9;
    QButtonGroup* AlignGroup;
    QToolButton* AlignButton(int alignment) const;

    // Replaces the font list, keeping nothing of the previous one.
    void setFontList(const QStringList& names);
    // Fills every control but the spans from the cell (Bold and Italic through their commands).
    void setCellFormat(const TCell& cell);
    // Range first, then value; a box that can offer nothing but 0 is disabled.
    void setSpans(int extraCols, int maxExtraCols, int extraRows, int maxExtraRows);
    // Writes alignment, font name, size, colours, bold and italic into the cell.
    void getCellFormat(TCell& cell) const;

    void BCEditMouseUp(ColorSwatch* swatch);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMergeGroup();
    void buildFontGroup(TForm1* form);
    QWidget* buildAlignButtons();
};

extern TCPF* CPF;
