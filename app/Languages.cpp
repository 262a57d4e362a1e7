#include "app/Languages.h"

#include "app/ColorSwatch.h"
#include "app/KRVFileNames.h"
#include "app/Prompts.h"
#include "app/main.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QStringDecoder>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace {

// ---- Text of a line -----------------------------------------------------------------------

bool IsBlank(QChar c)
{
    return c.unicode() <= 0x20;  // blanks and control characters
}

QString Strip(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.mid(first, last - first);
}

// Keys are matched with the letters A to Z lowered; nothing else changes.
QString LowerKey(const QString& key)
{
    QString lowered = key;
    for (QChar& c : lowered)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return lowered;
}

// Lines end with CR LF, LF or CR.
QStringList SplitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (start < text.size()) lines << text.mid(start);
    return lines;
}

// ---- Texts of components of any kind ------------------------------------------------------

void SetCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target)) action->setText(text);
    else if (auto* menu = qobject_cast<QMenu*>(target)) menu->setTitle(text);
    else if (auto* label = qobject_cast<QLabel*>(target)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target)) button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target)) group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(target)) widget->setWindowTitle(text);
}

QString CaptionOf(const QObject* source)
{
    if (auto* action = qobject_cast<const QAction*>(source)) return action->text();
    if (auto* menu = qobject_cast<const QMenu*>(source)) return menu->title();
    if (auto* label = qobject_cast<const QLabel*>(source)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(source)) return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(source)) return group->title();
    if (auto* widget = qobject_cast<const QWidget*>(source)) return widget->windowTitle();
    return QString();
}

void SetHint(QObject* target, const QString& hint)
{
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(hint);
    }
}

// Replaces a list's entries in place, so that the chosen entry stays chosen.
void SetEntries(QComboBox* box, const QStringList& entries)
{
    if (!box) return;
    const qsizetype common = std::min<qsizetype>(box->count(), entries.size());
    for (int i = 0; i < common; ++i) box->setItemText(i, entries[i]);
    while (box->count() > entries.size()) box->removeItem(box->count() - 1);
    for (qsizetype i = common; i < entries.size(); ++i) box->addItem(entries[i]);
}

QStringList EntriesOf(const QComboBox* box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
    return entries;
}

// ---- The windows a file relabels ----------------------------------------------------------

// Looked up once per file: the dialogs are separate windows found by their object names.
struct Targets {
    TForm1& form;
    QWidget* tpf;
    QWidget* cpf;
    QWidget* link;
    QWidget* templates;
    QWidget* preview;

    explicit Targets(TForm1& f)
        : form(f),
          tpf(FindProgramWindow(f, QStringLiteral("TPF"))),
          cpf(FindProgramWindow(f, QStringLiteral("CPF"))),
          link(FindProgramWindow(f, QStringLiteral("LinkDialog"))),
          templates(FindProgramWindow(f, QStringLiteral("TemplateDialog"))),
          preview(FindProgramWindow(f, QStringLiteral("PrevForm")))
    {
    }
};

QObject* Part(QWidget* window, const char* name)
{
    return window ? window->findChild<QObject*>(QLatin1String(name)) : nullptr;
}

using Applier = std::function<void(Targets&, const QString& caption, const QString& hint)>;

void AddMenuKeys(QHash<QString, Applier>& keys)
{
    const std::pair<const char*, QMenu* TForm1::*> menus[] = {
        {"file", &TForm1::MenuFile},   {"edit", &TForm1::MenuEdit},
        {"view", &TForm1::MenuView},   {"table", &TForm1::MenuTable},
        {"help", &TForm1::MenuHelp},   {"language", &TForm1::MenuLanguage},
    };
    for (const auto& [key, menu] : menus)
        keys.insert(QLatin1String(key),
                    [menu = menu](Targets& t, const QString& caption, const QString&) {
                        (t.form.*menu)->setTitle(caption);
                    });
    // The line menus' hints belong to their drop-down buttons on the tool bar.
    keys.insert(QStringLiteral("column"), [](Targets& t, const QString& c, const QString& h) {
        t.form.mColumn->setTitle(c);
        t.form.bColumn->setToolTip(h);
    });
    keys.insert(QStringLiteral("row"), [](Targets& t, const QString& c, const QString& h) {
        t.form.mRow->setTitle(c);
        t.form.bRow->setToolTip(h);
    });
}

void AddActionKeys(QHash<QString, Applier>& keys)
{
    const std::pair<const char*, QAction* TForm1::*> actions[] = {
        {"new", &TForm1::actNew},
        {"open", &TForm1::actOpen},
        {"save", &TForm1::actSave},
        {"saveas", &TForm1::actSaveAs},
        {"preview", &TForm1::actHTML},
        {"exit", &TForm1::actExit},
        {"undo", &TForm1::actUndo},
        {"redo", &TForm1::actRedo},
        {"cut", &TForm1::actCut},
        {"copy", &TForm1::actCopy},
        {"paste", &TForm1::actPaste},
        {"link", &TForm1::actLink},
        {"mainmenu", &TForm1::actMainMenu},
        {"toolbar1", &TForm1::actToolbar1},
        {"toolbar2", &TForm1::actToolbar2},
        {"statusbar", &TForm1::actStatusBar},
        {"tableprop", &TForm1::actTableProp},
        {"cellprop", &TForm1::actCellProp},
        {"inscbefore", &TForm1::actColInsBefore},
        {"inscafter", &TForm1::actColInsAfter},
        {"cdel", &TForm1::actColDel},
        {"insrbefore", &TForm1::actRowInsBefore},
        {"insrafter", &TForm1::actRowInsAfter},
        {"rdel", &TForm1::actRowDel},
        {"merge", &TForm1::actMerge},
        {"unmerge", &TForm1::actUnmerge},
        {"index", &TForm1::actHelp},
        {"about", &TForm1::actAbout},
        {"bold", &TForm1::actBold},
        {"italic", &TForm1::actItalic},
    };
    for (const auto& [key, action] : actions)
        keys.insert(QLatin1String(key),
                    [action = action](Targets& t, const QString& caption, const QString& hint) {
                        SetActionText(t.form.*action, caption, hint);
                    });
}

void AddTextKeys(QHash<QString, Applier>& keys)
{
    const std::pair<const char*, QString ShellTexts::*> texts[] = {
        {"filter", &ShellTexts::filter},   {"filterhtml", &ShellTexts::filterHtml},
        {"ok", &ShellTexts::ok},           {"cancel", &ShellTexts::cancel},
        {"error", &ShellTexts::error},     {"warning", &ShellTexts::warning},
        {"changed", &ShellTexts::changed}, {"cantopen", &ShellTexts::cantopen},
        {"cantsave", &ShellTexts::cantsave}, {"recover", &ShellTexts::recover},
    };
    for (const auto& [key, text] : texts)
        keys.insert(QLatin1String(key), [text = text](Targets& t, const QString& caption,
                                               const QString&) { t.form.Texts.*text = caption; });
}

// A caption of a dialog's component (no component name: the window's own caption), and with
// `withHint` its hint as well.
struct PartKey {
    const char* key;
    QWidget* Targets::*window;
    const char* part;
    bool withHint;
};

void AddDialogKeys(QHash<QString, Applier>& keys)
{
    const PartKey parts[] = {
        {"tpwindow", &Targets::tpf, nullptr, false},
        {"tablesize", &Targets::tpf, "GroupBox1", false},
        {"tableborder", &Targets::tpf, "GroupBox2", false},
        {"cellborder", &Targets::tpf, "GroupBox3", false},
        {"width", &Targets::tpf, "W1", false},
        {"height", &Targets::tpf, "H1", false},
        {"color", &Targets::tpf, "C1", false},
        {"textmargin", &Targets::tpf, "TM", false},
        {"columns", &Targets::tpf, "ColLab", false},
        {"rows", &Targets::tpf, "RowLab", false},
        {"cpwindow", &Targets::cpf, nullptr, false},
        {"cellfont", &Targets::cpf, "GroupBox2", false},
        {"mergebox", &Targets::cpf, "GroupBox1", false},
        {"fontsize", &Targets::cpf, "SizeLab", false},
        {"style", &Targets::cpf, "StyleLab", false},
        {"previewwindow", &Targets::preview, nullptr, false},
        {"savehtml", &Targets::preview, "act2Save", true},
        {"copyhtml", &Targets::preview, "act2Copy", true},
        {"close", &Targets::preview, "act2Close", true},
        {"source", &Targets::preview, "VSKey", true},
        {"linkwindow", &Targets::link, nullptr, false},
        {"linktext", &Targets::link, "TextLab", false},
        {"urltext", &Targets::link, "URLLab", false},
        {"newwindow", &Targets::link, "OpenNewWindow", false},
        {"tempwindow", &Targets::templates, nullptr, false},
    };
    for (const PartKey& p : parts)
        keys.insert(QLatin1String(p.key),
                    [p](Targets& t, const QString& caption, const QString& hint) {
                        QWidget* window = t.*(p.window);
                        QObject* target = p.part ? Part(window, p.part) : window;
                        if (!target) return;
                        SetCaption(target, caption);
                        if (p.withHint) SetHint(target, hint);
                    });

    keys.insert(QStringLiteral("list1"), [](Targets& t, const QString& caption, const QString&) {
        SetEntries(qobject_cast<QComboBox*>(Part(t.tpf, "WidthMEdit")),
                   caption.split(QLatin1Char('|')));
    });
}

// Three labels of the Cell Properties window lend their hints to the cell tool bar.
void AddSharedHintKeys(QHash<QString, Applier>& keys)
{
    auto add = [&keys](const char* key, const char* label, auto toolBarWidget) {
        keys.insert(QLatin1String(key), [label, toolBarWidget](Targets& t, const QString& caption,
                                                               const QString& hint) {
            if (QObject* target = Part(t.cpf, label)) SetCaption(target, caption);
            toolBarWidget(t.form)->setToolTip(hint);
        });
    };
    add("background", "BackLab", [](TForm1& f) -> QWidget* { return f.ColorBox1; });
    add("fontcolor", "FCLab", [](TForm1& f) -> QWidget* { return f.ColorBox2; });
    add("alignment", "AlignLab", [](TForm1& f) -> QWidget* { return f.AlignKey; });
}

const QHash<QString, Applier>& KeyTable()
{
    static const QHash<QString, Applier> keys = [] {
        QHash<QString, Applier> table;
        AddMenuKeys(table);
        AddActionKeys(table);
        AddTextKeys(table);
        AddDialogKeys(table);
        AddSharedHintKeys(table);
        return table;
    }();
    return keys;
}

void ApplyEntry(Targets& targets, const QString& key, const QString& caption,
                const QString& hint)
{
    const auto found = KeyTable().constFind(LowerKey(key));
    if (found != KeyTable().constEnd()) (*found)(targets, caption, hint);
}

void CopyCaption(QWidget* fromWindow, const char* from, QWidget* toWindow, const char* to)
{
    QObject* source = Part(fromWindow, from);
    QObject* target = Part(toWindow, to);
    if (source && target) SetCaption(target, CaptionOf(source));
}

// Texts that several components share follow their one source. (Both file dialogs of the
// main window take their filter from the same text, so they need no copy here.)
void FollowUpCopies(Targets& t)
{
    t.form.mColumn1->setTitle(t.form.mColumn->title());
    t.form.mRow1->setTitle(t.form.mRow->title());

    CopyCaption(t.tpf, "W1", t.tpf, "W2");
    CopyCaption(t.tpf, "W1", t.tpf, "W3");
    CopyCaption(t.tpf, "C1", t.tpf, "C2");
    if (auto* width = qobject_cast<QComboBox*>(Part(t.tpf, "WidthMEdit")))
        SetEntries(qobject_cast<QComboBox*>(Part(t.tpf, "HeightMEdit")), EntriesOf(width));

    CopyCaption(t.tpf, "ColLab", t.cpf, "ColLab");
    CopyCaption(t.tpf, "RowLab", t.cpf, "RowLab");
    if (QObject* bold = Part(t.cpf, "BoldEdit")) SetHint(bold, t.form.actBold->statusTip());
    if (QObject* italic = Part(t.cpf, "ItalicEdit"))
        SetHint(italic, t.form.actItalic->statusTip());
}

QString EntryName(const QAction* entry)
{
    return entry->data().toString();
}

}  // namespace

bool ParseLanguageLine(const QString& line, QString& key, QString& caption, QString& hint)
{
    key.clear();
    caption.clear();
    hint.clear();
    const QString text = Strip(line);
    if (text.isEmpty() || text.startsWith(QLatin1Char(';'))) return false;
    const qsizetype first = text.indexOf(QLatin1Char('='));
    if (first <= 0) return false;
    const QString rest = text.mid(first + 1);
    const qsizetype second = rest.indexOf(QLatin1Char('='));
    const QString parsedCaption = Strip(second < 0 ? rest : rest.left(second));
    if (parsedCaption.isEmpty()) return false;
    key = Strip(text.left(first));
    caption = parsedCaption;
    if (second >= 0) hint = Strip(rest.mid(second + 1));
    return true;
}

void SetActionText(QAction* action, const QString& caption, const QString& hint)
{
    action->setText(caption);
    action->setToolTip(hint);
    action->setStatusTip(hint);
}

void ApplyLanguageEntry(TForm1& form, const QString& key, const QString& caption,
                        const QString& hint)
{
    Targets targets(form);
    ApplyEntry(targets, key, caption, hint);
    FollowUpCopies(targets);
}

bool LoadLanguage(TForm1& form, const QString& fileName)
{
    if (fileName.isEmpty()) return false;
    QFile file(fileName);
    QByteArray data;
    bool readable = file.open(QIODevice::ReadOnly);
    if (readable) {
        data = file.readAll();
        readable = file.error() == QFileDevice::NoError;
    }
    if (!readable) {
        prompts().error(&form, form.Texts.error,
                        ShellTexts::withName(form.Texts.cantopen, fileName));
        return false;
    }
    form.LangFile = fileName;

    // The copies depend only on their sources, so one round after the last entry gives the
    // same texts as one after every entry, also for very long files.
    Targets targets(form);
    QStringDecoder decode(QStringDecoder::Utf8);  // drops a leading byte-order mark
    QString key, caption, hint;
    for (const QString& line : SplitLines(decode(data)))
        if (ParseLanguageLine(line, key, caption, hint)) ApplyEntry(targets, key, caption, hint);
    FollowUpCopies(targets);
    return true;
}

void BuildLanguageMenu(TForm1& form)
{
    const QDir folder(ExePath);
    QStringList names;
    for (const QString& file : folder.entryList({QStringLiteral("*.lng")},
                                                QDir::Files | QDir::Hidden | QDir::System))
        names << file.left(file.size() - 4);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });

    form.MenuLanguage->clear();
    for (const QString& name : names) {
        // "&" would otherwise mark an accelerator instead of showing itself.
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = form.MenuLanguage->addAction(caption);
        entry->setData(name);
        entry->setCheckable(true);
        QObject::connect(entry, &QAction::triggered, &form,
                         [&form, entry] { SetLanguage(form, entry); });
    }
}

void SetLanguage(TForm1& form, QAction* entry)
{
    LoadLanguage(form, ExePath + EntryName(entry) + QStringLiteral(".lng"));
}

void UpdateLanguageChecks(TForm1& form)
{
    for (QAction* entry : form.MenuLanguage->actions()) {
        const QString file = ExePath + EntryName(entry) + QStringLiteral(".lng");
        entry->setChecked(file.compare(form.LangFile, Qt::CaseInsensitive) == 0);
    }
}

QWidget* FindProgramWindow(TForm1& form, const QString& name)
{
    for (QWidget* child : form.findChildren<QWidget*>(name))
        if (child->isWindow()) return child;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name) return window;
    return nullptr;
}
