#pragma once
// The main window: the table in its scroll box, the command set with its menus and tool bars,
// the dialogs it opens, and the window's own bookkeeping (caption, status bar, settings).
// The command handlers are grouped by feature, one file each: DocumentCommands, EditCommands,
// TableCommands, FormatCommands, ViewCommands and ExportCommands; CommandSet builds the
// actions, menus and bars.

#include "app/Settings.h"
#include "app/ShellTexts.h"
#include "formats/export/Export.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class AboutBox;
class AlignmentPicker;
class CellPropertiesDialog;
class ColorSwatch;
class ColumnWidthDialog;
class FindDialog;
class HelpWindow;
class HtmlImport;
class ImportReport;
class ImportReportDialog;
class LanguageTexts;
class LinkDialog;
class PagePrinter;
class PreviewWindow;
class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;
class TableChooserDialog;
class SortDialog;
class TablePropertiesDialog;
class TemplateDialog;
class TTable;
struct TCell;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The dialogs, created once in their fixed order after the main window, and reused. Call
    // before the language file is read, so that it relabels them all.
    void createDialogs();

    // ---- The document ------------------------------------------------------------------------
    TTable* table() const { return table_; }
    const QString& fileName() const { return fileName_; }
    bool isNewFile() const { return isNewFile_; }
    // A document restored or named from outside the document commands; updates the caption.
    void setDocumentName(const QString& fileName, bool isNewFile);

    // ---- Language and settings --------------------------------------------------------------
    const ShellTexts& texts() const { return texts_; }
    const QString& languageFile() const { return languageFile_; }
    void setLanguageFile(const QString& fileName) { languageFile_ = fileName; }
    QMenu* languageMenu() const { return MenuLanguage; }
    // Relabels the main window and every dialog with what the language names.
    void applyLanguage(const LanguageTexts& texts);
    void applySettings(const ProgramSettings& values);
    ProgramSettings collectSettings() const;
    // False: the window is shown with its stored bounds and stays so (tests, recorded runs).
    void setStartMaximized(bool maximized) { startMaximized_ = maximized; }
    bool startMaximized() const { return startMaximized_; }

    // ---- The command set (object names and captions are part of the language files) ----------
    QAction *actNew, *actOpen, *actImport, *actSave, *actSaveAs, *actHTML, *actPrint, *actExportPdf, *actExit;
    QAction *actUndo, *actUndo2, *actRedo, *actRedo2, *actCut, *actCopy, *actPaste, *actPasteTable, *actLink;
    QAction *actTableProp, *actCellProp;
    QAction *actColInsBefore, *actColInsAfter, *actColDel;
    QAction *actRowInsBefore, *actRowInsAfter, *actRowDel;
    QAction *actMerge, *actUnmerge, *actBold, *actItalic;
    QAction *actHeaderRow, *actHeaderCol, *actColWidth;
    QAction *actSort, *actFind, *actReplace, *actFindNext, *actFindPrev, *actTranspose;
    QAction *actMoveRowUp, *actMoveRowDown, *actMoveColLeft, *actMoveColRight;
    QAction *actAlignLeft, *actAlignCenter, *actAlignRight;
    std::array<QAction*, 9> actAlign{};  // act0 .. act8
    // File > Export and Edit > Copy As: one action each per format of WindowExportFormats().
    std::vector<QAction*> actExport, actCopyAs;
    QAction *actMainMenu, *actToolbar1, *actToolbar2, *actStatusBar, *actHelp, *actAbout;
    QAction *actSelectTable, *actMenuBar, *actNextPane, *actPrevPane;
    QAction *actZoomIn, *actZoomOut, *actZoomReset;

    // ---- Refreshes ---------------------------------------------------------------------------
    void UpdateCaption();
    // The tool bars and command states that follow the table's selection and format.
    void TableChange();
    // The states that follow everything else (clipboard, bars, changed mark); run when idle.
    void ActionListUpdate();

    // ---- Document commands (DocumentCommands.cpp) ---------------------------------------------
    bool CloseDocument();
    bool NewDocument();
    bool OpenDocument(const QString& fileName);
    void OpenWithDialog();
    bool SaveCurrent();
    bool SaveDocumentAs();
    bool SaveDocument(const QString& fileName);
    void actNewExecute();
    // File > Recent Files: the documents opened or saved last, newest first.
    const QStringList& recentFiles() const { return recentFiles_; }
    // Opens a recent file; one that no longer exists is taken off the list, with a message.
    void OpenRecent(const QString& fileName);

    // ---- Import commands (ImportCommands.cpp) -------------------------------------------------
    void actImportExecute();
    // The table of an HTML page (chosen when it has several) or a CSV file as a new untitled
    // document named after it; false when refused, cancelled or the changes were kept.
    bool ImportDocument(const QString& path);
    void actPasteTableExecute();
    // The clipboard holds a table and there is a cell to put it at.
    bool CanPasteTable() const;

    // ---- Edit commands (EditCommands.cpp) -----------------------------------------------------
    void actUndoExecute();
    void actRedoExecute();
    void actLinkExecute();

    // ---- Table commands (TableCommands.cpp) ---------------------------------------------------
    void actTablePropExecute();
    void actColInsBeforeExecute();
    void actColInsAfterExecute();
    void actColDelExecute();
    void actRowInsBeforeExecute();
    void actRowInsAfterExecute();
    void actRowDelExecute();
    void actMergeExecute();
    void actUnmergeExecute();
    void actHeaderRowExecute();
    void actHeaderColExecute();
    void actColWidthExecute();
    void actSortExecute();
    void actFindExecute(bool replacing);
    void FindAgain(bool backward);
    void ReplaceAllExecute();
    void actTransposeExecute();
    void MoveLine(bool column, int delta);
    // Copy and Cut of several cells: the selected rectangle on the clipboard as HTML, as
    // tab-separated text and as the program's own cells; false when one cell or none is
    // selected (then the editor's text is the clipboard's, as always).
    bool CopyCells(bool cut);

    // ---- Format commands (FormatCommands.cpp) -------------------------------------------------
    void actCellPropExecute();
    void actBoldExecute();
    void actItalicExecute();
    void actAlignExecute(int alignment);       // act0 .. act8: 3 * vertical + horizontal
    void actAlignLeftExecute(int horizontal);  // Ctrl+L, Ctrl+E, Ctrl+R
    void FontBoxChange();
    void SizeBoxChange();
    void ColorBox1MouseDown();
    void ColorBox2MouseDown();
    void AlignKeyClick();

    // ---- Export commands (ExportCommands.cpp) -------------------------------------------------
    // The formats the window offers, in menu order (the classic page is the preview's).
    static const std::vector<ExportFormat>& WindowExportFormats();
    // Writes the table in `format` to a file the save dialog names; false when cancelled or
    // when writing failed (the error was shown).
    bool ExportToFile(ExportFormat format);
    void CopyAs(ExportFormat format);
    // The page the preview shows, as a PDF file the save dialog names, or on a printer the print
    // dialog chooses; the status bar says when it is done.
    void actExportPdfExecute();
    void actPrintExecute();
    // The status bar's note that the last export lost something, with its button that opens
    // the report; hidden when there is none.
    QLabel* exportNote() const { return ExportNote; }
    QPushButton* reportButton() const { return ReportButton; }
    // The page the preview shows, in the style its window has chosen.
    QByteArray PreviewPage() const;
    QString PreviewSaveName() const;  // what the preview's Save proposes
    void PreviewStyleChange();

    // ---- View commands (ViewCommands.cpp) -----------------------------------------------------
    void actHTMLExecute();
    void actAboutExecute();
    void actMainMenuExecute();
    void actToolbar1Execute();
    void actToolbar2Execute();
    void actStatusBarExecute();
    void actHelpExecute();
    // The grid's drawing one step larger (1) or smaller (-1), or at 100 % (0).
    void ZoomBy(int steps);

    // ---- Keyboard commands (KeyboardCommands.cpp) --------------------------------------------
    void actMenuBarExecute();
    void actSelectTableExecute();
    // F6 and Shift+F6: the focus to the next (previous) pane: the grid, then each tool bar.
    void FocusNextPane(bool backward);

signals:
    // Raised after the document's file name changed (New, Open, Save As, a restore).
    void documentRenamed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ---- State ------------------------------------------------------------------------------
    TTable* table_ = nullptr;
    QString fileName_;
    bool isNewFile_ = true;
    QString languageFile_;
    bool startMaximized_ = true;
    bool cellPropertiesOpen_ = false;  // Bold and Italic then only flip their check marks
    WindowPlacement previewPlacement_;  // until the preview window exists
    bool previewHtml5_ = false;         // likewise, the preview's page style
    int zoom_ = 100;                    // the grid's zoom until the table exists
    QString exportDir_;
    bool clipboardHoldsTable_ = false;  // follows the clipboard (ClipboardChange)
    ImportMarkup importMarkup_ = ImportMarkup::ShownOnly;  // what the last import chose
    ShellTexts texts_;
    ReportWords reportWords_;  // the export report's words in the language
    QStringList recentFiles_;
    QString exportReportText_;  // what the status bar's report button shows

    // ---- Components (object names are part of the language and settings files) --------------
    QMenu *MenuFile, *MenuEdit, *MenuView, *MenuLanguage, *MenuTable, *MenuHelp;
    QMenu *MenuExport, *MenuCopyAs, *MenuRecent;
    QMenu *mColumn, *mRow, *mColumn1, *mRow1, *mToolbars;
    QMenu *PopupMenu, *ToolbarPopup;
    QToolBar *ToolBar1, *ToolBar2;
    QToolButton *bColumn, *bRow, *AlignKey, *ToolButton5, *ToolButton6;
    QComboBox *FontBox, *SizeBox;
    ColorSwatch *ColorBox1, *ColorBox2;
    QScrollArea* ScrollBox;
    QLabel *StatusPanel0, *StatusPanel1, *StatusPanel2, *ExportNote;
    QPushButton* ReportButton;
    QFileDialog *OpenDialog, *SaveDialog;

    // ---- Dialogs ----------------------------------------------------------------------------
    TemplateDialog* templateDialog_ = nullptr;
    LinkDialog* linkDialog_ = nullptr;
    AboutBox* aboutBox_ = nullptr;
    AlignmentPicker* alignmentPicker_ = nullptr;
    TablePropertiesDialog* tablePropertiesDialog_ = nullptr;
    ColumnWidthDialog* columnWidthDialog_ = nullptr;
    SortDialog* sortDialog_ = nullptr;
    FindDialog* findDialog_ = nullptr;
    CellPropertiesDialog* cellPropertiesDialog_ = nullptr;
    PreviewWindow* previewWindow_ = nullptr;
    TableChooserDialog* tableChooser_ = nullptr;
    ImportReportDialog* importReport_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    PagePrinter* pagePrinter_ = nullptr;  // made on the first print or PDF
    std::unique_ptr<QPrinter> printer_;   // the printer of the print job that runs

    void FormCreate();
    void FormDestroy();  // writes the settings while every window still exists
    void createActions();
    void connectActions();
    void createMenus();
    void createToolBars();
    void createCellToolBar();
    void createStatusBar();
    void applyCommandLanguage(const LanguageTexts& texts);
    void createExportMenus();
    void applyExportLanguage(const LanguageTexts& texts);
    ExportResult exportResult(ExportFormat format) const;
    // The format's name as the menus show it, without the dots of a command that asks more.
    QString exportFormatName(ExportFormat format) const;
    // The status bar's note of what the export lost, with the report behind its button.
    void showExportReport(ExportFormat format, const ExportReport& report);
    void hideExportReport();
    PagePrinter& pagePrinter();
    // A document opened or saved goes to the top of File > Recent Files.
    void AddRecentFile(const QString& fileName);
    void FillRecentMenu();
    // The question about unsaved changes: false when cancelled or the save it asked for failed.
    bool MayDiscardChanges();
    // The table of the page to import and what becomes of its markup: asked when the page has
    // several tables or markup its table does not show; nothing when the chooser was cancelled.
    struct ImportChoice {
        int table = 0;
        ImportMarkup markup = ImportMarkup::ShownOnly;
    };
    std::optional<ImportChoice> ChooseTable(const HtmlImport& page);
    // Lists what an import or paste from `source` could not keep; nothing when it kept all.
    void showImportReport(const QString& source, const ImportReport& report);
    void ClipboardChange();
    void FillFontBox();
    void ScrollBoxResize();
    void ScrollBoxEnter();
    // Arrows, Tab, Return and Escape on a tool-bar control reached by F6; true when used.
    bool ToolBarKey(QObject* watched, QEvent* event);
    // Labels the screen reader finds the tool bar's lists by: a list's name is its value.
    QLabel *FontBoxLabel = nullptr, *SizeBoxLabel = nullptr;
    void NamePictureControls();
    void ScrollToCurrentCell();
    void ScrollToCaret();
    // A formatting command: the fields of `cell` named by `fields` go to the selection as one step.
    void applyFormat(const TCell& cell, unsigned fields);
    // Header Row and Header Column are checked when every selected row (column) is a line of
    // header cells; the status bar says when the current cell is one.
    void UpdateHeaderChecks();
    void ToggleHeaderLines(bool columns);
};
