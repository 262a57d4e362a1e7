#pragma once
// What an import or a pasted table could not keep, listed after the table is shown: a heading,
// one line a note, and a "Copy" button that puts the whole list on the clipboard.

#include <QDialog>
#include <QStringList>

class LanguageTexts;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class ImportReportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImportReportDialog(QWidget* parent);

    // `source` replaces the "%s" of the heading: the page's or the clipboard's name.
    void setReport(const QString& source, const QStringList& lines);
    void applyLanguage(const LanguageTexts& texts);
    // The heading and the lines, as Copy puts them on the clipboard.
    QString reportText() const;

    QLabel* Label1;
    QPlainTextEdit* Memo1;
    QPushButton *Button1, *CopyButton;

private:
    QString heading_ = QStringLiteral("Not everything in %s could be kept:");
    QString source_;

    void ShowHeading();
};
