#pragma once
// The chooser of File > Import and Paste Table for a page with several tables, or with markup
// its table does not show: each table with its place on the page, its size and the text of
// its first cells, the highlighted one shown as it will import in a read-only table beside the
// list, and below them what becomes of the page's markup.

#include "formats/import/ShownMarkup.h"

#include <QDialog>

class HtmlImport;
class LanguageTexts;
class QGroupBox;
class QListWidget;
class QRadioButton;
class QPushButton;
class QScrollArea;
class TTable;

class TableChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit TableChooserDialog(QWidget* parent);

    // The page to choose from; it must outlive the dialog's showing. The first table is
    // highlighted.
    void setPage(const HtmlImport& page, ImportMarkup markup);
    // The importer's number of the highlighted table, -1 when there is none.
    int chosenTable() const;
    ImportMarkup chosenMarkup() const;
    void applyLanguage(const LanguageTexts& texts);

    QListWidget* ListBox;
    QScrollArea* ScrollBox1;
    QGroupBox* MarkupBox;
    QRadioButton *ShownMarkup, *PageMarkup;
    QPushButton *Button1, *Button2;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    const HtmlImport* page_ = nullptr;
    TTable* preview_ = nullptr;
    QString entryFormat_ = QStringLiteral("Table %1: %2 x %3");

    void FillList();
    void NameControls();  // accessible names after the captions
    void ShowHighlighted();
};
