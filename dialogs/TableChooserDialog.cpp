#include "dialogs/TableChooserDialog.h"

#include "dialogs/DialogButtons.h"
#include "dialogs/DialogParts.h"
#include "formats/import/HtmlImport.h"
#include "grid/Tables.h"
#include "ui/LanguageTexts.h"

#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QPushButton>
#include <QScrollArea>

namespace {

// Enough of the first cells to recognise a table by, on one line.
constexpr int kFirstCellsShown = 60;

QString FirstCellsLine(const QStringList& cells)
{
    QStringList shown;
    for (const QString& cell : cells)
        if (!cell.simplified().isEmpty()) shown << cell.simplified();
    QString line = shown.join(QStringLiteral(" | "));
    if (line.size() > kFirstCellsShown) line = line.left(kFirstCellsShown - 1) + QChar(0x2026);
    return line;
}

}  // namespace

TableChooserDialog::TableChooserDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TableChooser"));
    setWindowTitle(QStringLiteral("Choose a Table"));
    resize(640, 360);

    const ListAndPreview body = BuildListAndPreview(this, 260);
    ListBox = body.list;
    ScrollBox1 = body.preview;
    ScrollBox1->setAccessibleName(windowTitle());  // the preview of the chosen table
    Button1 = body.ok;
    Button2 = body.cancel;
    ListBox->setWordWrap(true);
    ListBox->setSpacing(3);
    connect(ListBox, &QListWidget::currentRowChanged, this, &TableChooserDialog::ShowHighlighted);

    MarkupBox = new QGroupBox(QStringLiteral("Markup of the page"), this);
    MarkupBox->setObjectName(QStringLiteral("MarkupBox"));
    ShownMarkup = new QRadioButton(
        QStringLiteral("Keep &only what the table shows: text, line breaks, links, bold, italic, sub and sup"), MarkupBox);
    ShownMarkup->setObjectName(QStringLiteral("ShownMarkup"));
    PageMarkup = new QRadioButton(QStringLiteral("Keep the page's &markup as it is"), MarkupBox);
    PageMarkup->setObjectName(QStringLiteral("PageMarkup"));
    ShownMarkup->setChecked(true);
    auto* choices = new QVBoxLayout(MarkupBox);
    choices->addWidget(ShownMarkup);
    choices->addWidget(PageMarkup);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, MarkupBox);
    // The preview shows the table as the choice imports it.
    connect(ShownMarkup, &QRadioButton::toggled, this, &TableChooserDialog::ShowHighlighted);
    // Tab goes from the list to the choice, then to the buttons, in the order they read.
    setTabOrder(ListBox, ShownMarkup);
    setTabOrder(ShownMarkup, PageMarkup);
    setTabOrder(PageMarkup, Button1);
    setTabOrder(Button1, Button2);
    NameControls();
}

void TableChooserDialog::NameControls()
{
    for (QRadioButton* button : {ShownMarkup, PageMarkup})
        button->setAccessibleName(QString(button->text()).remove(QLatin1Char('&')));
    MarkupBox->setAccessibleName(MarkupBox->title());
}

void TableChooserDialog::setPage(const HtmlImport& page, ImportMarkup markup)
{
    page_ = &page;
    const QSignalBlocker quiet(ShownMarkup);
    (markup == ImportMarkup::ShownOnly ? ShownMarkup : PageMarkup)->setChecked(true);
    FillList();
}

ImportMarkup TableChooserDialog::chosenMarkup() const
{
    return ShownMarkup->isChecked() ? ImportMarkup::ShownOnly : ImportMarkup::AsWritten;
}

int TableChooserDialog::chosenTable() const
{
    const QListWidgetItem* item = ListBox->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TableChooserDialog::FillList()
{
    const QSignalBlocker quiet(ListBox);
    ListBox->clear();
    if (!page_) return;
    for (const HtmlTableInfo& info : page_->Tables()) {
        // A nested table is indented under the one it lies in.
        QString text = QString(info.depth * 4, QLatin1Char(' ')) +
                       QString(entryFormat_).arg(info.index + 1).arg(info.cols).arg(info.rows);
        const QString cells = FirstCellsLine(info.firstCells);
        if (!cells.isEmpty()) text += QStringLiteral("\n") + QString(info.depth * 4, QLatin1Char(' ')) + cells;
        auto* item = new QListWidgetItem(text, ListBox);
        item->setData(Qt::UserRole, info.index);
    }
    ListBox->setCurrentRow(0);
}

void TableChooserDialog::showEvent(QShowEvent* event)
{
    if (!preview_) {
        preview_ = new TTable(ScrollBox1->viewport());
        ScrollBox1->setWidget(preview_);
        preview_->setEnabled(false);
    }
    QDialog::showEvent(event);
    ShowHighlighted();
    ListBox->setFocus();
}

void TableChooserDialog::ShowHighlighted()
{
    if (!preview_ || !page_) return;
    const int index = chosenTable();
    const HtmlImportResult result = index >= 0 ? page_->Import(index, chosenMarkup()) : HtmlImportResult();
    if (!result.imported || !preview_->LoadFromBytes(result.document)) preview_->ResetTable();
    preview_->UpdateWidth();
}

void TableChooserDialog::done(int result)
{
    QDialog::done(result);
    // The preview table lives only while the dialog is shown.
    delete preview_;
    preview_ = nullptr;
}

void TableChooserDialog::applyLanguage(const LanguageTexts& texts)
{
    texts.Caption("chooserwindow", this);
    ScrollBox1->setAccessibleName(windowTitle());
    texts.Text("choosertable", entryFormat_);
    texts.Caption("markupbox", MarkupBox);
    texts.Caption("shownmarkup", ShownMarkup);
    texts.Caption("pagemarkup", PageMarkup);
    NameControls();
    ApplyButtonTexts(texts, Button1, Button2);
}
