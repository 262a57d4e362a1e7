#include "dialogs/ColumnWidthDialog.h"

#include "core/DocumentFormat.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/DialogKeys.h"
#include "dialogs/DialogParts.h"
#include "ui/LanguageTexts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// What a unit offers, and the value it starts from when the one shown does not fit.
struct UnitRange {
    int minimum, maximum, fallback;
};
constexpr UnitRange kRanges[3] = {{0, 0, 0}, {1, 100, 25}, {1, DocumentFormat::kMaxColumnPixels, 100}};

}  // namespace

ColumnWidthDialog::ColumnWidthDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CWF"));
    setWindowTitle(QStringLiteral("Column Width"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    UnitsEdit = new QComboBox(this);
    UnitsEdit->setObjectName(QStringLiteral("UnitsEdit"));
    UnitsEdit->addItems({QStringLiteral("Default"), QStringLiteral("%"), QStringLiteral("Pixels")});
    WidthEdit = new QSpinBox(this);
    WidthEdit->setObjectName(QStringLiteral("WidthEdit"));
    WidthLab = NewLabel(this, "WidthLab", QStringLiteral("Width"), UnitsEdit);
    // The value box is named by the same label, for a screen reader.
    WidthEdit->setAccessibleName(WidthLab->text());
    connect(UnitsEdit, &QComboBox::currentIndexChanged, this, &ColumnWidthDialog::unitsChanged);

    const OkCancelButtons okCancel = MakeOkCancelButtons(this);
    Button1 = okCancel.ok;
    Button2 = okCancel.cancel;

    auto* row = new QHBoxLayout;
    row->addWidget(WidthLab);
    row->addWidget(UnitsEdit);
    row->addWidget(WidthEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(row);
    main->addLayout(buttons);
    WatchDialogKeys(this);
}

ColumnWidthDialog::~ColumnWidthDialog() = default;

void ColumnWidthDialog::setWidth(TSizeSpec width)
{
    const int units = width.Units <= TSizeSpec::Pixels ? width.Units : TSizeSpec::Default;
    {
        const QSignalBlocker quiet(UnitsEdit);
        UnitsEdit->setCurrentIndex(units);
    }
    WidthEdit->setRange(kRanges[units].minimum, kRanges[units].maximum);
    WidthEdit->setValue(units == TSizeSpec::Default ? 0 : width.Value);
    WidthEdit->setEnabled(units != TSizeSpec::Default);
}

TSizeSpec ColumnWidthDialog::width() const
{
    const int units = std::max(0, UnitsEdit->currentIndex());
    if (units == TSizeSpec::Default) return {};
    return {WidthEdit->value(), std::uint8_t(units)};
}

// Another unit keeps the value where it fits that unit, and starts from its usual value where
// it does not.
void ColumnWidthDialog::unitsChanged()
{
    const int units = std::max(0, UnitsEdit->currentIndex());
    const UnitRange& range = kRanges[units];
    const int value = WidthEdit->value();
    WidthEdit->setRange(range.minimum, range.maximum);
    WidthEdit->setValue(value < range.minimum || value > range.maximum || units == 0 ? range.fallback : value);
    WidthEdit->setEnabled(units != TSizeSpec::Default);
}

// "list1" gives the unit entries, as in Table Properties; "width" the label.
void ColumnWidthDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("cwwindow", this);
    texts.Caption("width", WidthLab);
    texts.ListEntries("list1", UnitsEdit);
    WidthEdit->setAccessibleName(WidthLab->text());
    ApplyButtonTexts(texts, Button1, Button2);
}
