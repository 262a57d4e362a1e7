#pragma once
// The template dialog of the New command: "<Empty>" or one of the templates beside the
// program, with the highlighted one shown in a live, read-only table. The names are the
// language's where it names a template, else the file's.

#include <QDialog>
#include <QHash>
#include <QStringList>

class LanguageTexts;
class QListWidget;
class QPushButton;
class QScrollArea;
class TTable;

class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    explicit TemplateDialog(QWidget* parent);

    QListWidget* ListBox;
    QScrollArea* ScrollBox1;
    QPushButton *Button1, *Button2;

    // The preview table; it exists only while the dialog is shown.
    TTable* PreviewTable() const { return preview_; }
    // The file New loads: empty for the empty table, else the chosen template's full path.
    const QString& chosenFile() const { return chosenFile_; }
    void applyLanguage(const LanguageTexts& texts);
    // The folder the templates are listed from.
    static QString TemplatesFolder();

    void ListBoxClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    TTable* preview_ = nullptr;
    QStringList files_;
    QString chosenFile_;  // the file of each template entry, in list order
    QString emptyEntry_ = QStringLiteral("<Empty>");
    // The shown names of the shipped templates, by "tpl" + file title without spaces, in
    // lower case; a template without one shows its file title.
    QHash<QString, QString> names_;

    void FillList();
    QString ShownName(const QString& fileTitle) const;
};
