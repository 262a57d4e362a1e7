#include "dialogs/TablePropertiesDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogKeys.h"
#include "dialogs/DialogParts.h"
#include "ui/ColorSwatch.h"
#include "ui/LanguageTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

namespace {

constexpr int kMaxOfferedCount = 120;
constexpr int kMaxBorder = 32;
// The maximum a box offers before setBoundedValue raises it for a larger table value.
constexpr char kOfferedMaximum[] = "offeredMaximum";

struct UnitRule {
    int minimum, maximum, fallback;
    bool shown;
};

// By unit entry: "Default", "%", "Pixels".
constexpr UnitRule kUnitRules[3] = {{0, 0, 0, false}, {1, 100, 100, true}, {20, 10000, 500, true}};

// The value stays when it lies in the unit's range, else it becomes the unit's default; the
// range the box had before plays no part.
void ApplyUnitRule(QSpinBox* box, int unit)
{
    const UnitRule& rule = kUnitRules[std::clamp(unit, 0, 2)];
    const int value = box->value();
    box->setRange(rule.minimum, rule.maximum);
    box->setValue(value < rule.minimum || value > rule.maximum ? rule.fallback : value);
    box->setVisible(rule.shown);
}

QSpinBox* NewSpin(QWidget* parent, const char* name, int minimum, int maximum)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, maximum);
    box->setProperty(kOfferedMaximum, maximum);
    return box;
}

QComboBox* NewUnitList(QWidget* parent, const char* name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->addItems({QStringLiteral("Default"), QStringLiteral("%"), QStringLiteral("Pixels")});
    return list;
}

void SetSpec(QComboBox* units, QSpinBox* box, TSizeSpec spec)
{
    const QSignalBlocker quiet(units);
    units->setCurrentIndex(spec.Units <= TSizeSpec::Pixels ? spec.Units : TSizeSpec::Default);
    box->setRange(INT_MIN, INT_MAX);
    box->setValue(spec.Value);
}

TSizeSpec GetSpec(const QComboBox* units, const QSpinBox* box)
{
    TSizeSpec spec;
    spec.Value = box->value();
    spec.Units = std::uint8_t(std::max(0, units->currentIndex()));
    return spec;
}

}  // namespace

TablePropertiesDialog::TablePropertiesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TPF"));
    setWindowTitle(QStringLiteral("Table Properties"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    buildSizeGroup();
    buildBorderGroups();

    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    Button2 = okCancel.cancel;

    auto* right = new QVBoxLayout;
    right->addWidget(GroupBox2);
    right->addWidget(GroupBox3);
    right->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addWidget(GroupBox1, 1);
    groups->addLayout(right, 1);
    CaptionEdit = new QLineEdit(this);
    CaptionEdit->setObjectName(QStringLiteral("CaptionEdit"));
    CaptionLab = NewLabel(this, "CaptionLab", QStringLiteral("Caption"), CaptionEdit);
    auto* caption = new QHBoxLayout;
    caption->addWidget(CaptionLab);
    caption->addWidget(CaptionEdit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(caption);
    main->addLayout(buttons);

    const QList<QWidget*> tabOrder = {WidthMEdit, WidthEdit, HeightMEdit, HeightEdit, ColEdit, RowEdit, TBWEdit,
                 CBWEdit, TMEdit, CaptionEdit, Button1, Button2};
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    resize(385, 241);
    WatchDialogKeys(this);
}

TablePropertiesDialog::~TablePropertiesDialog() = default;

void TablePropertiesDialog::buildSizeGroup()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Table Size"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    WidthMEdit = NewUnitList(GroupBox1, "WidthMEdit");
    WidthEdit = NewSpin(GroupBox1, "WidthEdit", 0, 0);
    HeightMEdit = NewUnitList(GroupBox1, "HeightMEdit");
    HeightEdit = NewSpin(GroupBox1, "HeightEdit", 0, 0);
    ColEdit = NewSpin(GroupBox1, "ColEdit", 1, kMaxOfferedCount);
    RowEdit = NewSpin(GroupBox1, "RowEdit", 1, kMaxOfferedCount);
    W1 = NewLabel(GroupBox1, "W1", QStringLiteral("Width"), WidthMEdit);
    H1 = NewLabel(GroupBox1, "H1", QStringLiteral("Height             (not visible)"),
                  HeightMEdit);
    H1->setWordWrap(true);
    ColLab = NewLabel(GroupBox1, "ColLab", QStringLiteral("Columns"), ColEdit);
    RowLab = NewLabel(GroupBox1, "RowLab", QStringLiteral("Rows"), RowEdit);
    // A hidden value box keeps its place, so the group does not jump when the unit changes.
    for (QSpinBox* box : {WidthEdit, HeightEdit}) {
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
    }
    connect(WidthMEdit, &QComboBox::currentIndexChanged, this, &TablePropertiesDialog::WidthMEditChange);
    connect(HeightMEdit, &QComboBox::currentIndexChanged, this, &TablePropertiesDialog::HeightMEditChange);

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(W1, 0, 0, 1, 2);
    grid->addWidget(WidthMEdit, 1, 0);
    grid->addWidget(WidthEdit, 1, 1);
    grid->addWidget(H1, 2, 0, 1, 2);
    grid->addWidget(HeightMEdit, 3, 0);
    grid->addWidget(HeightEdit, 3, 1);
    grid->addWidget(ColLab, 4, 0);
    grid->addWidget(RowLab, 4, 1);
    grid->addWidget(ColEdit, 5, 0);
    grid->addWidget(RowEdit, 5, 1);
    grid->setRowStretch(6, 1);
}

void TablePropertiesDialog::buildBorderGroups()
{
    auto makeSwatch = [this](QWidget* parent, const char* name) {
        auto* swatch = new ColorSwatch(parent, QSize(65, 20));
        swatch->setObjectName(QLatin1String(name));
        connect(swatch, &ColorSwatch::released, this, [this, swatch] { PickSwatchColor(this, swatch); });
        return swatch;
    };
    auto makeGrid = [](QGroupBox* group) {
        auto* grid = new QGridLayout(group);
        grid->setColumnStretch(1, 1);
        return grid;
    };

    GroupBox2 = new QGroupBox(QStringLiteral("Table's Border"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    TBWEdit = NewSpin(GroupBox2, "TBWEdit", 0, kMaxBorder);
    TBCEdit = makeSwatch(GroupBox2, "TBCEdit");
    W2 = NewLabel(GroupBox2, "W2", QStringLiteral("Width"), TBWEdit);
    C1 = NewLabel(GroupBox2, "C1", QStringLiteral("Colour"), TBCEdit);
    QGridLayout* grid = makeGrid(GroupBox2);
    grid->addWidget(W2, 0, 0);
    grid->addWidget(TBWEdit, 0, 1, Qt::AlignLeft);
    grid->addWidget(C1, 1, 0);
    grid->addWidget(TBCEdit, 1, 1, Qt::AlignLeft);

    GroupBox3 = new QGroupBox(QStringLiteral("Cell's Border"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    CBWEdit = NewSpin(GroupBox3, "CBWEdit", 0, kMaxBorder);
    CBCEdit = makeSwatch(GroupBox3, "CBCEdit");
    TMEdit = NewSpin(GroupBox3, "TMEdit", 0, kMaxBorder);
    W3 = NewLabel(GroupBox3, "W3", QStringLiteral("Width"), CBWEdit);
    C2 = NewLabel(GroupBox3, "C2", QStringLiteral("Colour"), CBCEdit);
    TM = NewLabel(GroupBox3, "TM", QStringLiteral("Text Margins"), TMEdit);
    grid = makeGrid(GroupBox3);
    grid->addWidget(W3, 0, 0);
    grid->addWidget(CBWEdit, 0, 1, Qt::AlignLeft);
    grid->addWidget(C2, 1, 0);
    grid->addWidget(CBCEdit, 1, 1, Qt::AlignLeft);
    grid->addWidget(TM, 2, 0);
    grid->addWidget(TMEdit, 2, 1, Qt::AlignLeft);
    nameUnlabelled();
}

void TablePropertiesDialog::setProperties(const TableProperties& p)
{
    setBoundedValue(ColEdit, p.colCount);
    setBoundedValue(RowEdit, p.rowCount);
    setBoundedValue(TBWEdit, p.tableBorderWidth);
    TBCEdit->setColor(p.tableBorderColor);
    setBoundedValue(CBWEdit, p.cellsBorderWidth);
    CBCEdit->setColor(p.cellsBorderColor);
    setBoundedValue(TMEdit, p.cellsTextMargin);
    setWidthSpec(p.width);
    setHeightSpec(p.height);
    caption_ = p.caption;
    CaptionEdit->setText(QString(p.caption).replace(QLatin1String("\r\n"), QLatin1String("<br>")));
}

TableProperties TablePropertiesDialog::properties() const
{
    TableProperties p;
    p.colCount = ColEdit->value();
    p.rowCount = RowEdit->value();
    p.tableBorderWidth = TBWEdit->value();
    p.tableBorderColor = TBCEdit->color();
    p.cellsBorderWidth = CBWEdit->value();
    p.cellsBorderColor = CBCEdit->color();
    p.cellsTextMargin = TMEdit->value();
    p.width = widthSpec();
    p.height = heightSpec();
    const QString shown = QString(caption_).replace(QLatin1String("\r\n"), QLatin1String("<br>"));
    p.caption = CaptionEdit->text() == shown ? caption_ : CaptionEdit->text();
    return p;
}

// The labels that several keys share follow their one key: both "Width" labels of the border
// groups the size group's, both "Colour" labels the first one's, the height units the width's.
void TablePropertiesDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("tpwindow", this);
    texts.Caption("tablesize", GroupBox1);
    texts.Caption("tableborder", GroupBox2);
    texts.Caption("cellborder", GroupBox3);
    texts.Caption("height", H1);
    texts.Caption("textmargin", TM);
    texts.Caption("columns", ColLab);
    texts.Caption("rows", RowLab);
    texts.Caption("width", W1);
    texts.Caption("color", C1);
    texts.Caption("caption", CaptionLab);
    texts.ListEntries("list1", WidthMEdit);
    W2->setText(W1->text());
    W3->setText(W1->text());
    C2->setText(C1->text());
    SetListEntries(HeightMEdit, ListEntriesOf(WidthMEdit));
    ApplyButtonTexts(texts, Button1, Button2);
    nameUnlabelled();
}

// The width and height each have a unit list and a value box under one label, and the swatches
// are no text a label could name: all are named by their labels.
void TablePropertiesDialog::nameUnlabelled()
{
    const QString width = W1->text().simplified(), height = H1->text().simplified();
    for (QWidget* control : std::initializer_list<QWidget*>{WidthMEdit, WidthEdit}) control->setAccessibleName(width);
    for (QWidget* control : std::initializer_list<QWidget*>{HeightMEdit, HeightEdit}) control->setAccessibleName(height);
    TBCEdit->setAccessibleName(GroupBox2->title() + QStringLiteral(": ") + C1->text());
    CBCEdit->setAccessibleName(GroupBox3->title() + QStringLiteral(": ") + C2->text());
}

void TablePropertiesDialog::setWidthSpec(TSizeSpec spec)
{
    SetSpec(WidthMEdit, WidthEdit, spec);
}

void TablePropertiesDialog::setHeightSpec(TSizeSpec spec)
{
    SetSpec(HeightMEdit, HeightEdit, spec);
}

TSizeSpec TablePropertiesDialog::widthSpec() const
{
    return GetSpec(WidthMEdit, WidthEdit);
}

TSizeSpec TablePropertiesDialog::heightSpec() const
{
    return GetSpec(HeightMEdit, HeightEdit);
}

void TablePropertiesDialog::setBoundedValue(QSpinBox* box, int value)
{
    box->setMaximum(std::max(box->property(kOfferedMaximum).toInt(), value));
    box->setValue(value);
}

void TablePropertiesDialog::FormShow()
{
    ApplyUnitRule(WidthEdit, WidthMEdit->currentIndex());
    ApplyUnitRule(HeightEdit, HeightMEdit->currentIndex());
}

void TablePropertiesDialog::WidthMEditChange()
{
    ApplyUnitRule(WidthEdit, WidthMEdit->currentIndex());
}

void TablePropertiesDialog::HeightMEditChange()
{
    ApplyUnitRule(HeightEdit, HeightMEdit->currentIndex());
}

// The two border groups stand one above the other: their controls line up when both label
// columns are as wide as the widest label, whatever the language.
void TablePropertiesDialog::alignBorderGroups()
{
    int widest = 0;
    for (QLabel* label : {W2, C1, W3, C2, TM}) widest = std::max(widest, label->sizeHint().width());
    for (QGroupBox* group : {GroupBox2, GroupBox3})
        static_cast<QGridLayout*>(group->layout())->setColumnMinimumWidth(0, widest);
}

void TablePropertiesDialog::showEvent(QShowEvent* event)
{
    alignBorderGroups();
    FormShow();
    WatchDialogKeys(this);
    QDialog::showEvent(event);
}
