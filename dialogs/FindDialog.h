#pragma once
// Find and Replace: a window that stays open beside the grid. It holds what to find, what to
// put instead and the options, and says through its signals what the user asks for; the
// caller searches and replaces, and may tell it what happened (setMessage).

#include "core/FindReplace.h"

#include <QDialog>

class LanguageTexts;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent);
    ~FindDialog() override;

    QLabel *FindLab, *ReplaceLab, *InLab, *Message;
    QLineEdit *FindEdit, *ReplaceEdit;
    QCheckBox *CaseEdit, *WordsEdit, *RegexEdit;
    QComboBox* InEdit;  // Shown text | HTML source
    QPushButton *NextButton, *PreviousButton, *ReplaceAllButton, *CloseButton;

    FindOptions options() const;
    QString replacement() const;
    // Shows the replace line or not (Find and Replace share the window).
    void setReplacing(bool replacing);
    void setMessage(const QString& text);
    void applyLanguage(const LanguageTexts& texts);

signals:
    void findNext();
    void findPrevious();
    void replaceAll();
};
