#pragma once
// Table Properties: the table-wide settings (counts, width and height with their units, the
// outer border, the cell borders, the text margin and the caption). It takes the table's properties and
// gives back what the user chose; the caller changes the table.

#include "core/Cell.h"
#include "core/TableProperties.h"

#include <QDialog>

class ColorSwatch;
class LanguageTexts;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TablePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TablePropertiesDialog(QWidget* parent);
    ~TablePropertiesDialog() override;

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    QLabel *W1, *H1, *ColLab, *RowLab, *W2, *C1, *W3, *C2, *TM, *CaptionLab;
    // The caption on one line: its line breaks show as <br>, which a page draws the same.
    QLineEdit* CaptionEdit;
    QComboBox *WidthMEdit, *HeightMEdit;
    QSpinBox *WidthEdit, *HeightEdit, *ColEdit, *RowEdit, *TBWEdit, *CBWEdit, *TMEdit;
    ColorSwatch *TBCEdit, *CBCEdit;
    QPushButton *Button1, *Button2;

    void setProperties(const TableProperties& properties);
    TableProperties properties() const;
    void applyLanguage(const LanguageTexts& texts);

    // Unit entry and value without running the unit rule; showing the dialog runs it.
    void setWidthSpec(TSizeSpec spec);
    void setHeightSpec(TSizeSpec spec);
    TSizeSpec widthSpec() const;
    TSizeSpec heightSpec() const;
    // A count or width, with the box's maximum raised to it when the table holds more than
    // the dialog offers, so that OK without a change never trims the table.
    static void setBoundedValue(QSpinBox* box, int value);

    void FormShow();
    void WidthMEditChange();
    void HeightMEditChange();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString caption_;  // as the table holds it, given back when the line is left as shown
    void buildSizeGroup();
    void buildBorderGroups();
    void nameUnlabelled();
    void alignBorderGroups();
};
