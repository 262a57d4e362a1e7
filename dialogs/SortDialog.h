#pragma once
// Sort: the column to sort the rows by and its order, and maybe a second column. It takes the
// columns' names and gives back the keys chosen; the caller sorts.

#include "core/Sorting.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class LanguageTexts;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class SortDialog : public QDialog {
    Q_OBJECT
public:
    explicit SortDialog(QWidget* parent);
    ~SortDialog() override;

    QLabel *FirstLab, *SecondLab;
    QComboBox *FirstEdit, *SecondEdit;          // the columns; the second's first entry is none
    QComboBox *FirstOrderEdit, *SecondOrderEdit;  // Ascending | Descending
    QPushButton *Button1, *Button2;

    // One name a column ("Column 1: Price"), and the column to start from.
    void setColumns(const QStringList& names, int current);
    std::vector<SortKey> keys() const;
    void applyLanguage(const LanguageTexts& texts);

private:
    QString none_ = QStringLiteral("(none)");
};
