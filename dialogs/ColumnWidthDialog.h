#pragma once
// Column Width: how wide the selected columns are, automatic, per cent of the table or
// pixels. It takes a width and gives back the one chosen; the caller changes the columns.

#include "core/Cell.h"

#include <QDialog>

class LanguageTexts;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

class ColumnWidthDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColumnWidthDialog(QWidget* parent);
    ~ColumnWidthDialog() override;

    QLabel *WidthLab;
    QComboBox* UnitsEdit;  // Default (automatic) | % | Pixels
    QSpinBox* WidthEdit;
    QPushButton *Button1, *Button2;

    void setWidth(TSizeSpec width);
    TSizeSpec width() const;
    void applyLanguage(const LanguageTexts& texts);

private:
    void unitsChanged();
};
