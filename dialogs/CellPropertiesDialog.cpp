#include "dialogs/CellPropertiesDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogKeys.h"
#include "dialogs/DialogParts.h"
#include "ui/ColorSwatch.h"
#include "ui/CommandImages.h"
#include "ui/LanguageTexts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QSpinBox* NewSpin(QWidget* parent, const char* name)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// A check button that shows and flips one of the main window's commands.
QToolButton* CommandButton(QWidget* parent, const char* name, QAction* action)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setIconSize(QSize(20, 20));
    if (action) button->setDefaultAction(action);
    else button->setCheckable(true);
    return button;
}

void SetChecked(QToolButton* button, bool checked)
{
    if (QAction* action = button->defaultAction()) action->setChecked(checked);
    else button->setChecked(checked);
}

}  // namespace

CellPropertiesDialog::CellPropertiesDialog(QWidget* parent, QAction* boldCommand,
                                           QAction* italicCommand)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CPF"));
    setWindowTitle(QStringLiteral("Cell Properties"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    Button2 = okCancel.cancel;

    buildMergeGroup();
    buildFontGroup(boldCommand, italicCommand);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addLayout(buttons);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(GroupBox2);
    main->addStretch();

    resize(339, 330);
    WatchDialogKeys(this);
}

CellPropertiesDialog::~CellPropertiesDialog() = default;

void CellPropertiesDialog::buildMergeGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Merge Cells"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    ColEdit = NewSpin(GroupBox1, "ColEdit");
    RowEdit = NewSpin(GroupBox1, "RowEdit");
    ColLab = NewLabel(GroupBox1, "ColLab", QStringLiteral("Columns"), ColEdit);
    RowLab = NewLabel(GroupBox1, "RowLab", QStringLiteral("Rows"), RowEdit);
    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(ColLab, 0, 0);
    grid->addWidget(ColEdit, 0, 1);
    grid->addWidget(RowLab, 1, 0);
    grid->addWidget(RowEdit, 1, 1);
    HeaderEdit = new QCheckBox(QStringLiteral("Header cell"), GroupBox1);
    HeaderEdit->setObjectName(QStringLiteral("HeaderEdit"));
    grid->addWidget(HeaderEdit, 2, 0, 1, 2);
    grid->setColumnStretch(2, 1);
}

void CellPropertiesDialog::buildFontGroup(QAction* boldCommand, QAction* italicCommand)
{
    GroupBox2 = new QGroupBox(QStringLiteral("Cell Font"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));

    FontEdit = new QComboBox(GroupBox2);
    FontEdit->setObjectName(QStringLiteral("FontEdit"));
    FontEdit->setEditable(true);
    FontEdit->setInsertPolicy(QComboBox::NoInsert);  // a typed name is taken, not listed
    FontEdit->setEditText(QStringLiteral("Default"));

    SizeEdit = new QComboBox(GroupBox2);
    SizeEdit->setObjectName(QStringLiteral("SizeEdit"));
    SizeEdit->addItems(FontSizeEntries());

    ToolBar = new QWidget(GroupBox2);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    BoldEdit = CommandButton(ToolBar, "BoldEdit", boldCommand);
    ItalicEdit = CommandButton(ToolBar, "ItalicEdit", italicCommand);
    auto* styles = new QHBoxLayout(ToolBar);
    styles->setContentsMargins(0, 0, 0, 0);
    styles->setSpacing(0);
    styles->addWidget(BoldEdit);
    styles->addWidget(ItalicEdit);
    styles->addStretch();

    auto makeSwatch = [this](const char* name) {
        auto* swatch = new ColorSwatch(GroupBox2, QSize(65, 20));
        swatch->setObjectName(QLatin1String(name));
        connect(swatch, &ColorSwatch::released, this, [this, swatch] { PickSwatchColor(this, swatch); });
        return swatch;
    };
    BCEdit = makeSwatch("BCEdit");
    FCEdit = makeSwatch("FCEdit");
    ToolBar1 = buildAlignButtons();

    SizeLab = NewLabel(GroupBox2, "SizeLab", QStringLiteral("Size"), SizeEdit);
    StyleLab = NewLabel(GroupBox2, "StyleLab", QStringLiteral("Style"), nullptr);
    BackLab = NewLabel(GroupBox2, "BackLab", QStringLiteral("Background Color"), BCEdit);
    FCLab = NewLabel(GroupBox2, "FCLab", QStringLiteral("Font Color"), FCEdit);
    AlignLab = NewLabel(GroupBox2, "AlignLab", QStringLiteral("Font Alignment"), nullptr);

    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(FontEdit, 0, 0, 1, 2);
    const std::pair<QLabel*, QWidget*> rows[] = {{SizeLab, SizeEdit}, {StyleLab, ToolBar},
                                                 {BackLab, BCEdit},   {FCLab, FCEdit},
                                                 {AlignLab, ToolBar1}};
    int row = 1;
    for (const auto& [label, control] : rows) {
        grid->addWidget(label, row, 0, label == AlignLab ? Qt::AlignTop : Qt::Alignment());
        grid->addWidget(control, row, 1, Qt::AlignLeft);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    nameSwatches();
}

QWidget* CellPropertiesDialog::buildAlignButtons()
{
    const AlignmentGrid grid = BuildAlignmentGrid(GroupBox2, "ToolBar1");
    AlignGroup = new QButtonGroup(this);
    AlignGroup->setObjectName(QStringLiteral("AlignGroup"));
    AlignGroup->setExclusive(true);
    QToolButton** named[9] = {&ToolButton1, &ToolButton2, &ToolButton3, &ToolButton4, &ToolButton5,
                              &ToolButton6, &ToolButton7, &ToolButton8, &ToolButton9};
    for (int n = 0; n < 9; ++n) {
        QToolButton* button = grid.buttons[std::size_t(n)];
        button->setIcon(AlignmentImage(n));
        button->setCheckable(true);
        AlignGroup->addButton(button, n);
        *named[n] = button;
    }
    return grid.widget;
}

void CellPropertiesDialog::nameSwatches()
{
    FontEdit->lineEdit()->setAccessibleName(GroupBox2->title());
    BCEdit->setAccessibleName(BackLab->text());
    FCEdit->setAccessibleName(FCLab->text());
}

QToolButton* CellPropertiesDialog::AlignButton(int alignment) const
{
    return static_cast<QToolButton*>(AlignGroup->button(alignment));
}

void CellPropertiesDialog::setFontList(const QStringList& names)
{
    FontEdit->clear();
    FontEdit->addItems(names);
}

void CellPropertiesDialog::setCellFormat(const TCell& cell)
{
    const int font = FontEdit->findText(QString::fromUtf8(cell.FontName), Qt::MatchFixedString);
    FontEdit->setCurrentIndex(font);
    if (font < 0) FontEdit->clearEditText();
    SizeEdit->setCurrentIndex(std::clamp(cell.FontSize, -1, SizeEdit->count() - 2) + 1);
    FCEdit->setColor(cell.FontColor);
    BCEdit->setColor(cell.BgColor);
    SetChecked(BoldEdit, cell.Bold);
    SetChecked(ItalicEdit, cell.Italic);
    const int alignment = 3 * std::clamp(cell.VAlign, 0, 2) + std::clamp(cell.HAlign, 0, 2);
    AlignButton(alignment)->setChecked(true);
    HeaderEdit->setChecked(cell.Header);
}

void CellPropertiesDialog::setSpans(int extraCols, int maxExtraCols, int extraRows, int maxExtraRows)
{
    ColEdit->setRange(0, std::max(0, maxExtraCols));
    ColEdit->setValue(extraCols);
    ColEdit->setEnabled(ColEdit->maximum() > 0);
    RowEdit->setRange(0, std::max(0, maxExtraRows));
    RowEdit->setValue(extraRows);
    RowEdit->setEnabled(RowEdit->maximum() > 0);
}

void CellPropertiesDialog::getCellFormat(TCell& cell) const
{
    const int alignment = std::max(0, AlignGroup->checkedId());
    cell.VAlign = alignment / 3;
    cell.HAlign = alignment % 3;
    cell.FontName = FontNameFromString(FontEdit->currentText());
    cell.FontSize = SizeEdit->currentIndex() - 1;
    cell.FontColor = FCEdit->color();
    cell.BgColor = BCEdit->color();
    cell.Bold = BoldEdit->isChecked();
    cell.Italic = ItalicEdit->isChecked();
    cell.Header = HeaderEdit->isChecked();
}

void CellPropertiesDialog::setCellProperties(const CellProperties& p)
{
    setCellFormat(p.format);
    setSpans(p.extraCols, p.maxExtraCols, p.extraRows, p.maxExtraRows);
}

CellProperties CellPropertiesDialog::cellProperties() const
{
    CellProperties p;
    getCellFormat(p.format);
    p.extraCols = ColEdit->value();
    p.maxExtraCols = ColEdit->maximum();
    p.extraRows = RowEdit->value();
    p.maxExtraRows = RowEdit->maximum();
    return p;
}

// "columns" and "rows" label the spans here as they label the counts of Table Properties;
// "background", "fontcolor" and "alignment" lend their hints to the main window's cell tool bar.
void CellPropertiesDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("cpwindow", this);
    texts.Caption("cellfont", GroupBox2);
    texts.Caption("mergebox", GroupBox1);
    texts.Caption("fontsize", SizeLab);
    texts.Caption("style", StyleLab);
    texts.Caption("columns", ColLab);
    texts.Caption("rows", RowLab);
    texts.Caption("headercell", HeaderEdit);
    texts.Caption("background", BackLab);
    texts.Caption("fontcolor", FCLab);
    texts.Caption("alignment", AlignLab);
    QString names;
    if (texts.Text("alignnames", names))
        NameAlignmentButtons({ToolButton1, ToolButton2, ToolButton3, ToolButton4, ToolButton5, ToolButton6,
                              ToolButton7, ToolButton8, ToolButton9},
                             names.split(QLatin1Char('|')));
    nameSwatches();
    texts.Hint("bold", BoldEdit);
    texts.Hint("italic", ItalicEdit);
    ApplyButtonTexts(texts, Button1, Button2);
}

void CellPropertiesDialog::showEvent(QShowEvent* event)
{
    WatchDialogKeys(this);
    QDialog::showEvent(event);
}
