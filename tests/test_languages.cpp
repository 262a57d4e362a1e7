// Language files: the line format, every key reaching its text, switching files, and the
// Language menu with its check marks.

#include "tests/SettingsSandbox.h"

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "dialogs/CellPropertiesDialog.h"
#include "dialogs/LinkDialog.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TableChooserDialog.h"
#include "dialogs/TablePropertiesDialog.h"
#include "dialogs/TemplateDialog.h"
#include "tests/ShellParts.h"
#include "ui/ColorSwatch.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QKeySequence>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// ---- The line format ---------------------------------------------------------------------

struct LineCase {
    const char* line;
    bool entry;
    const char* key;
    const char* caption;
    const char* hint;
};

TEST(LanguageLine, SplitsIntoKeyCaptionAndHint)
{
    const LineCase cases[] = {
        {"   NEW   =   New table   =   Start a table   ", true, "NEW", "New table", "Start a table"},
        {"\tcut\t=\tCut\x01=\x02" "Cut it\r", true, "cut", "Cut", "Cut it"},
        {"save = Store", true, "save", "Store", ""},
        {"save = Store =", true, "save", "Store", ""},
        {"save = Store =   ", true, "save", "Store", ""},
        {"about = About = a=b = c=", true, "about", "About", "a=b = c="},
        {"list1 = A|B|C", true, "list1", "A|B|C", ""},
        {"a b = two words", true, "a b", "two words", ""},
        {"exit =", false, "", "", ""},
        {"exit =   = hint", false, "", "", ""},
        {"= Exit = hint", false, "", "", ""},
        {"   = Exit", false, "", "", ""},
        {"; new = New", false, "", "", ""},
        {"  ;new = New", false, "", "", ""},
        {"no equals sign", false, "", "", ""},
        {"", false, "", "", ""},
        {" \t ", false, "", "", ""},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        QString key = "stale", caption = "stale", hint = "stale";
        EXPECT_EQ(ParseLanguageLine(QString::fromUtf8(c.line), key, caption, hint), c.entry);
        EXPECT_EQ(key, QString::fromUtf8(c.key));
        EXPECT_EQ(caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(hint, QString::fromUtf8(c.hint));
    }
}

// ---- The program's windows ----------------------------------------------------------------

// The main window's real dialogs, each relabelled by its own keys.
struct ProgramDialogs {
    QDialog *tpf, *cpf, *link, *templates, *preview, *chooser;

    explicit ProgramDialogs(MainWindow& form)
    {
        form.createDialogs();
        tpf = form.findChild<TablePropertiesDialog*>();
        cpf = form.findChild<CellPropertiesDialog*>();
        link = form.findChild<LinkDialog*>();
        templates = form.findChild<TemplateDialog*>();
        preview = form.findChild<PreviewWindow*>();
        chooser = form.findChild<TableChooserDialog*>();
    }
};

// Records messages instead of showing them.
struct RecordingPrompts : Prompts {
    QStringList errors;
    void error(QWidget*, const QString& caption, const QString& text) override
    {
        errors << caption + QLatin1Char('|') + text;
    }
};

class Languages : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<ProgramDialogs> dialogs;
    RecordingPrompts messages;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ExePath = folder.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>();
        dialogs = std::make_unique<ProgramDialogs>(*form);
        setPrompts(&messages);
    }
    void TearDown() override { setPrompts(nullptr); }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(ExePath + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QString text(QWidget* window, const char* name)
    {
        QObject* part = window->findChild<QObject*>(QLatin1String(name));
        if (auto* label = qobject_cast<QLabel*>(part)) return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(part)) return group->title();
        if (auto* button = qobject_cast<QAbstractButton*>(part)) return button->text();
        if (auto* action = qobject_cast<QAction*>(part)) return action->text();
        return QStringLiteral("<no %1>").arg(QLatin1String(name));
    }
    QString tip(QWidget* window, const char* name)
    {
        QObject* part = window->findChild<QObject*>(QLatin1String(name));
        if (auto* action = qobject_cast<QAction*>(part)) return action->statusTip();
        if (auto* widget = qobject_cast<QWidget*>(part)) return widget->toolTip();
        return QStringLiteral("<no %1>").arg(QLatin1String(name));
    }
    static QStringList entries(QWidget* window, const char* name)
    {
        auto* box = window->findChild<QComboBox*>(QLatin1String(name));
        QStringList items;
        for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
        return items;
    }
};

using Read = std::function<QString()>;

// A key, the texts that must show its caption, and those that must show its hint.
struct KeyTarget {
    const char* key;
    std::vector<Read> captions;
    std::vector<Read> hints;
};

TEST_F(Languages, EveryKeyChangesItsTargets)
{
    MainWindow& f = *form;
    ProgramDialogs& d = *dialogs;
    auto actionText = [](QAction* a) { return Read([a] { return a->text(); }); };
    auto actionHint = [](QAction* a) { return Read([a] { return a->statusTip(); }); };
    auto title = [](QMenu* m) { return Read([m] { return m->title(); }); };
    auto tipOf = [](QWidget* w) { return Read([w] { return w->toolTip(); }); };
    auto shell = [&f](QString ShellTexts::*t) { return Read([&f, t] { return f.texts().*t; }); };
    auto windowTitle = [](QWidget* w) { return Read([w] { return w->windowTitle(); }); };
    auto part = [this](QWidget* w, const char* n) { return Read([this, w, n] { return text(w, n); }); };
    auto partTip = [this](QWidget* w, const char* n) { return Read([this, w, n] { return tip(w, n); }); };
    auto command = [&](const char* key, QAction* a) {
        return KeyTarget{key, {actionText(a)}, {actionHint(a)}};
    };

    const std::vector<KeyTarget> keys = {
        {"file", {title(Part<QMenu>(f, "MenuFile"))}, {}},
        {"edit", {title(Part<QMenu>(f, "MenuEdit"))}, {}},
        {"view", {title(Part<QMenu>(f, "MenuView"))}, {}},
        {"table", {title(Part<QMenu>(f, "MenuTable"))}, {}},
        {"help", {title(Part<QMenu>(f, "MenuHelp"))}, {}},
        {"language", {title(Part<QMenu>(f, "MenuLanguage"))}, {}},
        {"column", {title(Part<QMenu>(f, "mColumn")), title(Part<QMenu>(f, "mColumn1"))}, {tipOf(Part<QToolButton>(f, "bColumn"))}},
        {"row", {title(Part<QMenu>(f, "mRow")), title(Part<QMenu>(f, "mRow1"))}, {tipOf(Part<QToolButton>(f, "bRow"))}},
        command("new", f.actNew),
        command("open", f.actOpen),
        command("save", f.actSave),
        command("saveas", f.actSaveAs),
        command("preview", f.actHTML),
        command("exit", f.actExit),
        command("undo", f.actUndo),
        command("redo", f.actRedo),
        command("cut", f.actCut),
        command("copy", f.actCopy),
        command("paste", f.actPaste),
        command("link", f.actLink),
        command("mainmenu", f.actMainMenu),
        command("toolbar1", f.actToolbar1),
        command("toolbar2", f.actToolbar2),
        command("statusbar", f.actStatusBar),
        command("tableprop", f.actTableProp),
        command("cellprop", f.actCellProp),
        command("inscbefore", f.actColInsBefore),
        command("inscafter", f.actColInsAfter),
        command("cdel", f.actColDel),
        command("insrbefore", f.actRowInsBefore),
        command("insrafter", f.actRowInsAfter),
        command("rdel", f.actRowDel),
        command("merge", f.actMerge),
        command("unmerge", f.actUnmerge),
        command("index", f.actHelp),
        command("about", f.actAbout),
        {"bold", {actionText(f.actBold)}, {actionHint(f.actBold), partTip(d.cpf, "BoldEdit")}},
        {"italic",
         {actionText(f.actItalic)},
         {actionHint(f.actItalic), partTip(d.cpf, "ItalicEdit")}},
        {"filter", {shell(&ShellTexts::filter)}, {}},
        {"filterhtml", {shell(&ShellTexts::filterHtml)}, {}},
        {"ok", {shell(&ShellTexts::ok)}, {}},
        {"cancel", {shell(&ShellTexts::cancel)}, {}},
        {"error", {shell(&ShellTexts::error)}, {}},
        {"warning", {shell(&ShellTexts::warning)}, {}},
        {"changed", {shell(&ShellTexts::changed)}, {}},
        {"cantopen", {shell(&ShellTexts::cantopen)}, {}},
        {"cantsave", {shell(&ShellTexts::cantsave)}, {}},
        {"recover", {shell(&ShellTexts::recover)}, {}},
        {"tpwindow", {windowTitle(d.tpf)}, {}},
        {"tablesize", {part(d.tpf, "GroupBox1")}, {}},
        {"tableborder", {part(d.tpf, "GroupBox2")}, {}},
        {"cellborder", {part(d.tpf, "GroupBox3")}, {}},
        {"width", {part(d.tpf, "W1"), part(d.tpf, "W2"), part(d.tpf, "W3")}, {}},
        {"height", {part(d.tpf, "H1")}, {}},
        {"color", {part(d.tpf, "C1"), part(d.tpf, "C2")}, {}},
        {"textmargin", {part(d.tpf, "TM")}, {}},
        {"columns", {part(d.tpf, "ColLab"), part(d.cpf, "ColLab")}, {}},
        {"rows", {part(d.tpf, "RowLab"), part(d.cpf, "RowLab")}, {}},
        {"cpwindow", {windowTitle(d.cpf)}, {}},
        {"cellfont", {part(d.cpf, "GroupBox2")}, {}},
        {"mergebox", {part(d.cpf, "GroupBox1")}, {}},
        {"fontsize", {part(d.cpf, "SizeLab")}, {}},
        {"style", {part(d.cpf, "StyleLab")}, {}},
        {"background", {part(d.cpf, "BackLab")}, {tipOf(Part<ColorSwatch>(f, "ColorBox1"))}},
        {"fontcolor", {part(d.cpf, "FCLab")}, {tipOf(Part<ColorSwatch>(f, "ColorBox2"))}},
        {"alignment", {part(d.cpf, "AlignLab")}, {tipOf(Part<QToolButton>(f, "AlignKey"))}},
        {"previewwindow", {windowTitle(d.preview)}, {}},
        {"savehtml", {part(d.preview, "act2Save")}, {partTip(d.preview, "act2Save")}},
        {"copyhtml", {part(d.preview, "act2Copy")}, {partTip(d.preview, "act2Copy")}},
        {"close", {part(d.preview, "act2Close")}, {partTip(d.preview, "act2Close")}},
        {"source", {part(d.preview, "VSKey")}, {partTip(d.preview, "VSKey")}},
        {"linkwindow", {windowTitle(d.link)}, {}},
        {"linktext", {part(d.link, "TextLab")}, {}},
        {"urltext", {part(d.link, "URLLab")}, {}},
        {"newwindow", {part(d.link, "OpenNewWindow")}, {}},
        {"tempwindow", {windowTitle(d.templates)}, {}},
        {"recent", {title(Part<QMenu>(f, "MenuRecent"))}, {}},
        command("print", f.actPrint),
        command("exportpdf", f.actExportPdf),
        {"showreport", {part(&f, "ReportButton")}, {}},
        {"aboutwindow", {windowTitle(FindProgramWindow(f, "AboutBox"))}, {}},
        {"helpwindow", {windowTitle(FindProgramWindow(f, "HelpForm"))}, {}},
        {"helpback", {part(FindProgramWindow(f, "HelpForm"), "actHelpBack")}, {partTip(FindProgramWindow(f, "HelpForm"), "actHelpBack")}},
        {"helpforward", {part(FindProgramWindow(f, "HelpForm"), "actHelpForward")}, {}},
        {"markupbox", {part(d.chooser, "MarkupBox")}, {}},
        {"shownmarkup", {part(d.chooser, "ShownMarkup")}, {}},
        {"pagemarkup", {part(d.chooser, "PageMarkup")}, {}},
        {"mergetexts", {shell(&ShellTexts::mergeTexts)}, {}},
        {"mergemoveall", {shell(&ShellTexts::mergeMoveAll)}, {}},
        {"mergekeepfirst", {shell(&ShellTexts::mergeKeepFirst)}, {}},
    };
    for (const KeyTarget& k : keys) {
        SCOPED_TRACE(k.key);
        const QString caption = QStringLiteral("Caption of ") + QLatin1String(k.key);
        const QString hint = QStringLiteral("Hint of ") + QLatin1String(k.key);
        ApplyLanguageEntry(f, QLatin1String(k.key), caption, hint);
        for (const Read& read : k.captions) EXPECT_EQ(read(), caption);
        for (const Read& read : k.hints) EXPECT_EQ(read(), hint);
    }
}

TEST_F(Languages, ListEntriesReachBothSizeLists)
{
    auto* height = dialogs->tpf->findChild<QComboBox*>("HeightMEdit");
    height->setCurrentIndex(2);
    ApplyLanguageEntry(*form, "LIST1", "Standard|Prozent|Pixel", QString());
    const QStringList expected = {"Standard", "Prozent", "Pixel"};
    EXPECT_EQ(entries(dialogs->tpf, "WidthMEdit"), expected);
    EXPECT_EQ(entries(dialogs->tpf, "HeightMEdit"), expected);
    EXPECT_EQ(height->currentIndex(), 2) << "the chosen unit stays chosen";
}

TEST_F(Languages, UnknownKeyChangesNothing)
{
    ApplyLanguageEntry(*form, "linktext", "Texte", QString());
    ApplyLanguageEntry(*form, "nosuchkey", "Something", "Else");
    EXPECT_EQ(form->actNew->text(), QStringLiteral("New..."));
    EXPECT_EQ(form->texts().ok, QStringLiteral("OK"));
}

// ---- Files -------------------------------------------------------------------------------

TEST_F(Languages, FileAppliesEveryLineWhateverItsEnding)
{
    // A byte-order mark, then CR LF, CR and LF line ends; keys in any letter case.
    const QString file = write("Mixed.lng", "\xEF\xBB\xBFNEW = Nouveau = Cr\xC3\xA9" "er\r\n"
                                            "; open = Skipped\r"
                                            "Save = Enregistrer\r"
                                            "open = Ouvrir...\n"
                                            "width = Largeur\n"
                                            "new = Nouveau... = Cr\xC3\xA9" "er un tableau");
    EXPECT_TRUE(LoadLanguage(*form, file));
    EXPECT_EQ(form->languageFile(), file);
    EXPECT_EQ(form->actNew->text(), QStringLiteral("Nouveau...")) << "later lines win";
    EXPECT_EQ(form->actNew->statusTip(), QString::fromUtf8("Créer un tableau"));
    EXPECT_EQ(form->actSave->text(), QStringLiteral("Enregistrer"));
    EXPECT_EQ(form->actSave->statusTip(), QString()) << "a line without a hint clears it";
    EXPECT_EQ(form->actOpen->text(), QStringLiteral("Ouvrir..."));
    EXPECT_EQ(text(dialogs->tpf, "W3"), QStringLiteral("Largeur"));
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(Languages, SwitchingToAFileThatLacksAKeyKeepsTheEarlierText)
{
    const QString first = write("First.lng", "cut = Ausschneiden = In die Zwischenablage\n"
                                             "copy = Kopieren\n");
    const QString second = write("Second.lng", "copy = Copier\n");
    ASSERT_TRUE(LoadLanguage(*form, first));
    ASSERT_TRUE(LoadLanguage(*form, second));
    EXPECT_EQ(form->actCut->text(), QStringLiteral("Ausschneiden"));
    EXPECT_EQ(form->actCut->statusTip(), QStringLiteral("In die Zwischenablage"));
    EXPECT_EQ(form->actCopy->text(), QStringLiteral("Copier"));
    EXPECT_EQ(form->languageFile(), second);
}

TEST_F(Languages, UnreadableFileShowsCantOpenAndChangesNothing)
{
    const QString good = write("Good.lng", "new = Neu\nerror = Fehler\n"
                                           "cantopen = Datei \"%s\" nicht lesbar\n");
    ASSERT_TRUE(LoadLanguage(*form, good));
    for (const QString& bad : {ExePath + "Missing.lng", ExePath}) {
        SCOPED_TRACE(bad.toStdString());
        messages.errors.clear();
        EXPECT_FALSE(LoadLanguage(*form, bad));
        EXPECT_EQ(messages.errors,
                  QStringList{QStringLiteral("Fehler|Datei \"%1\" nicht lesbar").arg(bad)});
        EXPECT_EQ(form->languageFile(), good);
        EXPECT_EQ(form->actNew->text(), QStringLiteral("Neu"));
    }
    messages.errors.clear();
    EXPECT_FALSE(LoadLanguage(*form, QString()));
    EXPECT_TRUE(messages.errors.isEmpty()) << "no name, no message";
}

// ---- The Language menu ---------------------------------------------------------------------

TEST_F(Languages, MenuListsTheFilesSortedWithoutRegardToCase)
{
    write("German.lng", "new = Neu\n");
    write("english.LNG", "new = New\n");
    write("French.lng", "new = Nouveau\n");
    write("R&D.lng", "new = Fresh\n");
    write(".Hidden.lng", "");
    write("notes.txt", "");
    QDir(ExePath).mkdir("Folder.lng");

    BuildLanguageMenu(*form);
    QStringList shown, names;
    for (QAction* entry : Part<QMenu>(*form, "MenuLanguage")->actions()) {
        shown << entry->text();
        names << entry->data().toString();
    }
    EXPECT_EQ(names, (QStringList{".Hidden.lng", "english.LNG", "French.lng", "German.lng", "R&D.lng"}));
    EXPECT_EQ(shown, (QStringList{".Hidden", "english", "French", "German", "R&&D"}))
        << "no accelerator is made of a name";

    // The entry's click loads its file; the active file carries the check mark.
    Part<QMenu>(*form, "MenuLanguage")->actions()[3]->trigger();
    EXPECT_EQ(form->actNew->text(), QStringLiteral("Neu"));
    EXPECT_EQ(form->languageFile(), ExePath + "German.lng");
    form->ActionListUpdate();
    for (QAction* entry : Part<QMenu>(*form, "MenuLanguage")->actions())
        EXPECT_EQ(entry->isChecked(), entry->data() == "German.lng") << entry->data().toString().toStdString();

    // A file whose extension is written in capitals loads like any other.
    Part<QMenu>(*form, "MenuLanguage")->actions()[1]->trigger();
    EXPECT_EQ(form->actNew->text(), QStringLiteral("New"));
    EXPECT_EQ(form->languageFile(), ExePath + "english.LNG");
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(Languages, CheckMarkIgnoresLetterCaseAndStaleNamesMarkNothing)
{
    write("English.lng", "");
    write("German.lng", "");
    BuildLanguageMenu(*form);
    const auto checked = [this] {
        QStringList marked;
        for (QAction* entry : Part<QMenu>(*form, "MenuLanguage")->actions())
            if (entry->isChecked()) marked << entry->data().toString();
        return marked;
    };
    form->setLanguageFile(ExePath + "ENGLISH.LNG");
    UpdateLanguageChecks(*form);
    EXPECT_EQ(checked(), QStringList{"English.lng"});
    form->setLanguageFile(ExePath + "Gone.lng");
    UpdateLanguageChecks(*form);
    EXPECT_TRUE(checked().isEmpty());
}

// The shipped files name their languages in the menu in those languages, and bring Qt's own
// texts along: the key names of the menus' shortcuts, the buttons of its message boxes, and the
// names of the templates.
TEST_F(Languages, ShippedFilesNameThemselvesAndTranslateQtsOwnTexts)
{
    for (const char* name : {"English.lng", "German.lng", "French.lng"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(QG_SOURCE_DIR "/resources/") + QLatin1String(name), ExePath + QLatin1String(name)));
    BuildLanguageMenu(*form);
    QStringList shown;
    for (QAction* entry : Part<QMenu>(*form, "MenuLanguage")->actions()) shown << entry->text();
    EXPECT_EQ(shown, (QStringList{"English", QString::fromUtf8("Français"), "Deutsch"}));

    const QKeySequence save(Qt::CTRL | Qt::Key_S);
    auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    ASSERT_TRUE(LoadLanguage(*form, ExePath + "German.lng"));
    EXPECT_EQ(save.toString(QKeySequence::NativeText), QStringLiteral("Strg+S"));
    EXPECT_EQ(yes(), QStringLiteral("&Ja"));
    ASSERT_TRUE(LoadLanguage(*form, ExePath + "French.lng"));
    EXPECT_EQ(yes(), QStringLiteral("&Oui"));
    ASSERT_TRUE(LoadLanguage(*form, ExePath + "English.lng"));
    EXPECT_EQ(save.toString(QKeySequence::NativeText), QStringLiteral("Ctrl+S"));
    EXPECT_EQ(yes(), QStringLiteral("&Yes"));

    // The template list names the shipped templates in the language, others by their files.
    ASSERT_TRUE(QDir(ExePath).mkdir("Templates"));
    for (const char* name : {"Price List.qgt", "Mine.qgt"}) QFile(ExePath + "Templates/" + name).open(QIODevice::WriteOnly);
    ASSERT_TRUE(LoadLanguage(*form, ExePath + "German.lng"));
    dialogs->templates->show();
    QStringList names;
    auto* list = dialogs->templates->findChild<QListWidget*>();
    for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
    dialogs->templates->reject();
    EXPECT_EQ(names, (QStringList{"<Leer>", "Mine", "Preisliste"}));
    ASSERT_TRUE(LoadLanguage(*form, ExePath + "English.lng"));
}

// The shipped files: every key the program knows, and each set to a text.
TEST(ShippedLanguageFiles, EachSetsEveryKeyOfTheEnglishFile)
{
    auto keysOf = [](const QString& name) {
        QFile file(QStringLiteral(QG_SOURCE_DIR "/resources/") + name);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        QStringList keys;
        QString key, caption, hint;
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
            if (ParseLanguageLine(line, key, caption, hint)) keys << key.toLower();
        keys.sort();
        return keys;
    };
    const QStringList english = keysOf("English.lng");
    EXPECT_EQ(english.size(), 235);  // every key the program knows
    EXPECT_EQ(keysOf("German.lng"), english);
    EXPECT_EQ(keysOf("French.lng"), english);
}

// The program's own windows carry the component names the keys address.
TEST(ShippedLanguageFiles, RelabelTheRealWindows)
{
    QTemporaryDir folder;
    ExePath = folder.path() + QLatin1Char('/');
    MainWindow form;
    form.createDialogs();
    const QString file = QStringLiteral(QG_SOURCE_DIR "/resources/German.lng");
    ASSERT_TRUE(LoadLanguage(form, file));

    QFile lines(file);
    ASSERT_TRUE(lines.open(QIODevice::ReadOnly));
    QHash<QString, QString> captions;
    QString key, caption, hint;
    for (const QString& line : QString::fromUtf8(lines.readAll()).split(QLatin1Char('\n')))
        if (ParseLanguageLine(line, key, caption, hint)) captions[key.toLower()] = caption;

    const struct {
        const char* window;
        const char* part;  // nullptr: the window's caption
        const char* key;
    } targets[] = {
        {"TPF", nullptr, "tpwindow"},     {"TPF", "GroupBox1", "tablesize"},
        {"TPF", "GroupBox2", "tableborder"}, {"TPF", "GroupBox3", "cellborder"},
        {"TPF", "W1", "width"},           {"TPF", "W2", "width"},
        {"TPF", "W3", "width"},           {"TPF", "H1", "height"},
        {"TPF", "C1", "color"},           {"TPF", "C2", "color"},
        {"TPF", "TM", "textmargin"},      {"TPF", "ColLab", "columns"},
        {"TPF", "RowLab", "rows"},        {"CPF", nullptr, "cpwindow"},
        {"CPF", "GroupBox2", "cellfont"}, {"CPF", "GroupBox1", "mergebox"},
        {"CPF", "SizeLab", "fontsize"},   {"CPF", "StyleLab", "style"},
        {"CPF", "BackLab", "background"}, {"CPF", "FCLab", "fontcolor"},
        {"CPF", "AlignLab", "alignment"}, {"CPF", "ColLab", "columns"},
        {"CPF", "RowLab", "rows"},        {"LinkDialog", nullptr, "linkwindow"},
        {"LinkDialog", "TextLab", "linktext"}, {"LinkDialog", "URLLab", "urltext"},
        {"LinkDialog", "OpenNewWindow", "newwindow"}, {"TemplateDialog", nullptr, "tempwindow"},
        {"PrevForm", nullptr, "previewwindow"}, {"PrevForm", "act2Save", "savehtml"},
        {"PrevForm", "act2Copy", "copyhtml"}, {"PrevForm", "act2Close", "close"},
        {"PrevForm", "VSKey", "source"},
    };
    for (const auto& t : targets) {
        SCOPED_TRACE(std::string(t.window) + " " + (t.part ? t.part : "") + " " + t.key);
        QWidget* window = FindProgramWindow(form, QLatin1String(t.window));
        ASSERT_NE(window, nullptr);
        QString shown = window->windowTitle();
        if (t.part) {
            QObject* part = window->findChild<QObject*>(QLatin1String(t.part));
            ASSERT_NE(part, nullptr);
            if (auto* label = qobject_cast<QLabel*>(part)) shown = label->text();
            else if (auto* group = qobject_cast<QGroupBox*>(part)) shown = group->title();
            else if (auto* button = qobject_cast<QAbstractButton*>(part)) shown = button->text();
            else if (auto* action = qobject_cast<QAction*>(part)) shown = action->text();
        }
        EXPECT_EQ(shown, captions.value(QLatin1String(t.key)));
    }
    const QStringList units = captions.value("list1").split(QLatin1Char('|'));
    for (const char* list : {"WidthMEdit", "HeightMEdit"}) {
        auto* box = FindProgramWindow(form, "TPF")->findChild<QComboBox*>(QLatin1String(list));
        ASSERT_NE(box, nullptr);
        QStringList shown;
        for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
        EXPECT_EQ(shown, units) << list;
    }
}

}  // namespace
