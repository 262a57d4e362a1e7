#pragma once
// The main window: the table in its scroll box, the command set with its menus and tool bars,
// the document commands, and the window's own bookkeeping (caption, status bar, settings).

#include "app/Texts.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>

#include <array>

class ColorSwatch;
class QAction;
class QComboBox;
class QFileDialog;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;
class TTable;

// Geometry of a window as the settings keep it.
struct WindowPlacement {
    QRect bounds;
    bool maximized = true;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // ---- Application-wide state --------------------------------------------------------
    TTable* Table = nullptr;
    QString CurFileName;
    bool IsNewFile = true;
    QString LangFile;
    bool StartMaximized = true;
    bool CellPropOpen = false;
    WindowPlacement PreviewPlacement;
    QString ExportDir;
    ShellTexts Texts;

    // ---- Commands ---------------------------------------------------------------------------
    QAction *actNew, *actOpen, *actSave, *actSaveAs, *actHTML, *actExit;
    QAction *actUndo, *actUndo2, *actRedo, *actRedo2, *actCut, *actCopy, *actPaste, *actLink;
    QAction *actTableProp, *actCellProp;
    QAction *actColInsBefore, *actColInsAfter, *actColDel;
    QAction *actRowInsBefore, *actRowInsAfter, *actRowDel;
    QAction *actMerge, *actUnmerge, *actBold, *actItalic;
    QAction *actAlignLeft, *actAlignCenter, *actAlignRight;
    std::array<QAction*, 9> actAlign{};  // act0 .. act8
    QAction *actMainMenu, *actToolbar1, *actToolbar2, *actStatusBar, *actHelp, *actAbout;

    // ---- Components ---------------------------------------------------------------------------
    QMenu *MenuFile, *MenuEdit, *MenuView, *MenuLanguage, *MenuTable, *MenuHelp;
    QMenu *mColumn, *mRow, *mColumn1, *mRow1, *mToolbars;
    QMenu *PopupMenu, *ToolbarPopup;
    QToolBar *ToolBar1, *ToolBar2;
    QToolButton *bColumn, *bRow, *AlignKey, *ToolButton5, *ToolButton6;
    QComboBox *FontBox, *SizeBox;
    ColorSwatch *ColorBox1, *ColorBox2;
    QScrollArea* ScrollBox;
    QLabel *StatusPanel0, *StatusPanel1;
    QFileDialog *OpenDialog, *SaveDialog;

    // ---- Window -------------------------------------------------------------------------------
    void UpdateCaption();
    void TableChange();
    void ActionListUpdate();

    // ---- Document commands --------------------------------------------------------------------
    bool CloseDocument();
    bool NewDocument();
    bool OpenDocument(const QString& fileName);
    void OpenWithDialog();
    bool SaveCurrent();
    bool SaveDocumentAs();
    bool SaveDocument(const QString& fileName);

    // ---- Command handlers ---------------------------------------------------------------------
    void actNewExecute();
    void actHTMLExecute();
    void actTablePropExecute();  // dialogs/TP
    void actCellPropExecute();   // dialogs/CP
    void actLinkExecute();       // dialogs/Links
    void actAboutExecute();      // dialogs/About
    void actUndoExecute();
    void actRedoExecute();
    void actColInsBeforeExecute();
    void actColInsAfterExecute();
    void actColDelExecute();
    void actRowInsBeforeExecute();
    void actRowInsAfterExecute();
    void actRowDelExecute();
    void actMergeExecute();
    void actUnmergeExecute();
    void actBoldExecute();
    void actItalicExecute();
    void act0Execute(int tag);
    void actAlignLeftExecute(int tag);
    void actMainMenuExecute();
    void actToolbar1Execute();
    void actToolbar2Execute();
    void actStatusBarExecute();
    void actHelpExecute();
    void FontBoxChange();
    void SizeBoxChange();
    void ColorBox1MouseDown();
    void ColorBox2MouseDown();
    void AlignKeyClick();

signals:
    // Raised after the document's file name changed (New, Open, Save As).
    void documentRenamed();
    // Raised after one of the nine alignment commands ran (the picker hides on it).
    void alignmentChosen();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();  // writes the settings while every window still exists
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void FillFontBox();
    void ScrollBoxResize();
    void ScrollBoxEnter();
    // A formatting command: fill a template cell, apply it to the selection, record a step.
    void applyFormat(const struct TCell& cell, unsigned fields);
};

TForm1* Form1();
