#pragma once
// Cell Properties: spans, font, size, style, colours and alignment of the current cell. It
// takes the cell's properties and gives back what the user chose; the caller changes the
// table. Bold and Italic may be commands of the caller's, shown on the dialog's two style
// buttons (they should only flip their check marks while the dialog is open).

#include "core/Cell.h"

#include <QDialog>

class ColorSwatch;
class LanguageTexts;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

// What the dialog shows and gives back: the format fields of `format` that the dialog has
// (font name, size, colours, bold, italic, alignment, header flag) and the spans with their
// largest values.
struct CellProperties {
    TCell format;
    int extraCols = 0, maxExtraCols = 0;
    int extraRows = 0, maxExtraRows = 0;
};

class CellPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    CellPropertiesDialog(QWidget* parent, QAction* boldCommand, QAction* italicCommand);
    ~CellPropertiesDialog() override;

    QPushButton *Button1, *Button2;
    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *ColLab, *RowLab, *SizeLab, *StyleLab, *BackLab, *FCLab, *AlignLab;
    QSpinBox *ColEdit, *RowEdit;
    QCheckBox* HeaderEdit;  // a header cell (th)
    QComboBox *FontEdit, *SizeEdit;
    QWidget *ToolBar, *ToolBar1;
    QToolButton *BoldEdit, *ItalicEdit;
    ColorSwatch *BCEdit, *FCEdit;
    // Alignment n = 3 * VAlign + HAlign is ToolButton(n + 1); exactly one is down.
    QToolButton *ToolButton1, *ToolButton2, *ToolButton3, *ToolButton4, *ToolButton5,
        *ToolButton6, *ToolButton7, *ToolButton8, *ToolButton9;
    QButtonGroup* AlignGroup;
    QToolButton* AlignButton(int alignment) const;

    void setCellProperties(const CellProperties& properties);
    CellProperties cellProperties() const;
    void applyLanguage(const LanguageTexts& texts);

    // Replaces the font list, keeping nothing of the previous one.
    void setFontList(const QStringList& names);
    // Fills every control but the spans from the cell (Bold and Italic through their commands).
    void setCellFormat(const TCell& cell);
    // Range first, then value; a box that can offer nothing but 0 is disabled.
    void setSpans(int extraCols, int maxExtraCols, int extraRows, int maxExtraRows);
    // Writes alignment, font name, size, colours, bold, italic and the header flag into the cell.
    void getCellFormat(TCell& cell) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMergeGroup();
    void buildFontGroup(QAction* boldCommand, QAction* italicCommand);
    // A swatch is named by its label (a label cannot name what is not text on this desktop).
    void nameSwatches();  // and the font name line, by its group
    QWidget* buildAlignButtons();
};
