#pragma once
// The chooser of File > Import for a page with several tables: each table with its place on
// the page, its size and the text of its first cells, and the highlighted one shown as it will
// import, in a read-only table beside the list.

#include <QDialog>

class HtmlImport;
class LanguageTexts;
class QListWidget;
class QPushButton;
class QScrollArea;
class TTable;

class TableChooserDialog : public QDialog {
    Q_OBJECT
public:
    explicit TableChooserDialog(QWidget* parent);

    // The page to choose from; it must outlive the dialog's showing. The first table is
    // highlighted.
    void setPage(const HtmlImport& page);
    // The importer's number of the highlighted table, -1 when there is none.
    int chosenTable() const;
    void applyLanguage(const LanguageTexts& texts);

    QListWidget* ListBox;
    QScrollArea* ScrollBox1;
    QPushButton *Button1, *Button2;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    const HtmlImport* page_ = nullptr;
    TTable* preview_ = nullptr;
    QString entryFormat_ = QStringLiteral("Table %1: %2 x %3");

    void FillList();
    void ShowHighlighted();
};
