// Language files: the line format, every key reaching its text, switching files, and the
// Language menu with its check marks.

#include "tests/SettingsSandbox.h"

#include "app/ColorSwatch.h"
#include "app/KRVFileNames.h"
#include "app/Languages.h"
#include "app/Prompts.h"
#include "app/main.h"
#include "dialogs/CP.h"
#include "dialogs/Links.h"
#include "dialogs/Preview.h"
#include "dialogs/TP.h"
#include "dialogs/Templates.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
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

// Dialogs with the component names the language keys address, as the real ones carry them.
struct StandInDialogs {
    QDialog *tpf, *cpf, *link, *templates, *preview;
    std::unique_ptr<QDialog> unowned;  // a window without a parent is found as well

    template <typename T>
    static T* add(QWidget* window, const char* name)
    {
        auto* part = new T(window);
        part->setObjectName(QLatin1String(name));
        return part;
    }

    explicit StandInDialogs(TForm1& form)
    {
        auto dialog = [](QWidget* parent, const char* name) {
            auto* window = new QDialog(parent);
            window->setObjectName(QLatin1String(name));
            return window;
        };
        tpf = dialog(&form, "TPF");
        for (const char* name : {"W1", "W2", "W3", "H1", "C1", "C2", "TM", "ColLab", "RowLab"})
            add<QLabel>(tpf, name);
        for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3"}) add<QGroupBox>(tpf, name);
        for (const char* name : {"WidthMEdit", "HeightMEdit"})
            add<QComboBox>(tpf, name)->addItems({"Default", "%", "Pixels"});

        cpf = dialog(&form, "CPF");
        for (const char* name : {"GroupBox1", "GroupBox2"}) add<QGroupBox>(cpf, name);
        for (const char* name :
             {"SizeLab", "StyleLab", "BackLab", "FCLab", "AlignLab", "ColLab", "RowLab"})
            add<QLabel>(cpf, name);
        for (const char* name : {"BoldEdit", "ItalicEdit"}) add<QToolButton>(cpf, name);

        link = dialog(&form, "LinkDialog");
        add<QLabel>(link, "TextLab");
        add<QLabel>(link, "URLLab");
        add<QCheckBox>(link, "OpenNewWindow");

        unowned.reset(dialog(nullptr, "TemplateDialog"));
        templates = unowned.get();

        preview = dialog(&form, "PrevForm");
        for (const char* name : {"act2Save", "act2Copy", "act2Close"}) add<QAction>(preview, name);
        add<QToolButton>(preview, "VSKey");
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
    std::unique_ptr<TForm1> form;
    std::unique_ptr<StandInDialogs> dialogs;
    RecordingPrompts messages;

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ExePath = folder.path() + QLatin1Char('/');
        form = std::make_unique<TForm1>();
        dialogs = std::make_unique<StandInDialogs>(*form);
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
    TForm1& f = *form;
    StandInDialogs& d = *dialogs;
    auto actionText = [](QAction* a) { return Read([a] { return a->text(); }); };
    auto actionHint = [](QAction* a) { return Read([a] { return a->statusTip(); }); };
    auto title = [](QMenu* m) { return Read([m] { return m->title(); }); };
    auto tipOf = [](QWidget* w) { return Read([w] { return w->toolTip(); }); };
    auto shell = [&f](QString ShellTexts::*t) { return Read([&f, t] { return f.Texts.*t; }); };
    auto windowTitle = [](QWidget* w) { return Read([w] { return w->windowTitle(); }); };
    auto part = [this](QWidget* w, const char* n) { return Read([this, w, n] { return text(w, n); }); };
    auto partTip = [this](QWidget* w, const char* n) { return Read([this, w, n] { return tip(w, n); }); };
    auto command = [&](const char* key, QAction* a) {
        return KeyTarget{key, {actionText(a)}, {actionHint(a)}};
    };

    const std::vector<KeyTarget> keys = {
        {"file", {title(f.MenuFile)}, {}},
        {"edit", {title(f.MenuEdit)}, {}},
        {"view", {title(f.MenuView)}, {}},
        {"table", {title(f.MenuTable)}, {}},
        {"help", {title(f.MenuHelp)}, {}},
        {"language", {title(f.MenuLanguage)}, {}},
        {"column", {title(f.mColumn), title(f.mColumn1)}, {tipOf(f.bColumn)}},
        {"row", {title(f.mRow), title(f.mRow1)}, {tipOf(f.bRow)}},
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
        {"background", {part(d.cpf, "BackLab")}, {tipOf(f.ColorBox1)}},
        {"fontcolor", {part(d.cpf, "FCLab")}, {tipOf(f.ColorBox2)}},
        {"alignment", {part(d.cpf, "AlignLab")}, {tipOf(f.AlignKey)}},
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

TEST_F(Languages, UnknownKeyAndMissingWindowsChangeNothing)
{
    delete dialogs->link;  // a window that does not exist is skipped
    ApplyLanguageEntry(*form, "linktext", "Texte", QString());
    ApplyLanguageEntry(*form, "nosuchkey", "Something", "Else");
    EXPECT_EQ(form->actNew->text(), QStringLiteral("New..."));
    EXPECT_EQ(form->Texts.ok, QStringLiteral("OK"));
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
    EXPECT_EQ(form->LangFile, file);
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
    EXPECT_EQ(form->LangFile, second);
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
        EXPECT_EQ(form->LangFile, good);
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
    for (QAction* entry : form->MenuLanguage->actions()) {
        shown << entry->text();
        names << entry->data().toString();
    }
    EXPECT_EQ(names, (QStringList{".Hidden", "english", "French", "German", "R&D"}));
    EXPECT_EQ(shown, (QStringList{".Hidden", "english", "French", "German", "R&&D"}))
        << "no accelerator is made of a name";

    // The entry's click loads its file; the active file carries the check mark.
    form->MenuLanguage->actions()[3]->trigger();
    EXPECT_EQ(form->actNew->text(), QStringLiteral("Neu"));
    EXPECT_EQ(form->LangFile, ExePath + "German.lng");
    form->ActionListUpdate();
    for (QAction* entry : form->MenuLanguage->actions())
        EXPECT_EQ(entry->isChecked(), entry->data() == "German") << entry->data().toString().toStdString();
}

TEST_F(Languages, CheckMarkIgnoresLetterCaseAndStaleNamesMarkNothing)
{
    write("English.lng", "");
    write("German.lng", "");
    BuildLanguageMenu(*form);
    const auto checked = [this] {
        QStringList marked;
        for (QAction* entry : form->MenuLanguage->actions())
            if (entry->isChecked()) marked << entry->data().toString();
        return marked;
    };
    form->LangFile = ExePath + "ENGLISH.LNG";
    UpdateLanguageChecks(*form);
    EXPECT_EQ(checked(), QStringList{"English"});
    form->LangFile = ExePath + "Gone.lng";
    UpdateLanguageChecks(*form);
    EXPECT_TRUE(checked().isEmpty());
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
    EXPECT_EQ(english.size(), 77);  // every key the program knows
    EXPECT_EQ(keysOf("German.lng"), english);
    EXPECT_EQ(keysOf("French.lng"), english);
}

// The program's own windows carry the component names the keys address.
TEST(ShippedLanguageFiles, RelabelTheRealWindows)
{
    QTemporaryDir folder;
    ExePath = folder.path() + QLatin1Char('/');
    TForm1 form;
    new TTemplateDialog(&form);
    new TLinkDialog(&form);
    new TTPF(&form);
    new TCPF(&form);
    new TPrevForm(&form);
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
