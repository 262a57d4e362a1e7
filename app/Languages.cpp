#include "app/Languages.h"

#include "app/MainWindow.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>

#include <algorithm>

namespace {

// The file name of a Language entry, without folder.
QString EntryName(const QAction* entry)
{
    return entry->data().toString();
}

// The name a language file gives its language, in that language; empty when it gives none.
QString LanguageName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    QString name;
    LanguageTexts::Parse(file.read(1 << 20)).Text("languagename", name);
    return name;
}

}  // namespace

void ApplyLanguageEntry(MainWindow& form, const QString& key, const QString& caption,
                        const QString& hint)
{
    LanguageTexts texts;
    texts.Set(key, caption, hint);
    form.applyLanguage(texts);
}

bool LoadLanguage(MainWindow& form, const QString& fileName)
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
        prompts().error(&form, form.texts().error,
                        ShellTexts::withName(form.texts().cantopen, fileName));
        return false;
    }
    const LanguageTexts texts = LanguageTexts::Parse(data);
    QString qtLanguage;
    texts.Text("qtlanguage", qtLanguage);
    // Qt's texts first: its dialogs relabel themselves when the translation changes.
    UseQtTranslations(qtLanguage);
    form.setLanguageFile(fileName);
    form.applyLanguage(texts);
    return true;
}

bool UseQtTranslations(const QString& language)
{
    static QTranslator* active = nullptr;
    if (active) {
        QCoreApplication::removeTranslator(active);
        delete active;
        active = nullptr;
    }
    if (language.isEmpty()) return false;
    auto* translator = new QTranslator(qApp);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qt_") + language, folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    active = translator;
    return true;
}

void BuildLanguageMenu(MainWindow& form)
{
    const QDir folder(ExePath);
    // The files as the folder names them, whatever the case of their extension ("German.LNG").
    QStringList files = folder.entryList({QStringLiteral("*.lng")},
                                         QDir::Files | QDir::Hidden | QDir::System);
    auto name = [](const QString& file) { return file.left(file.size() - 4); };
    std::sort(files.begin(), files.end(), [&name](const QString& a, const QString& b) {
        const int order = name(a).compare(name(b), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : name(a) < name(b);
    });

    QMenu* menu = form.languageMenu();
    menu->clear();
    for (const QString& file : files) {
        // "&" would otherwise mark an accelerator instead of showing itself.
        QString caption = LanguageName(folder.filePath(file));
        if (caption.isEmpty()) caption = name(file);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* entry = menu->addAction(caption);
        entry->setData(file);
        entry->setCheckable(true);
        QObject::connect(entry, &QAction::triggered, &form,
                         [&form, entry] { SetLanguage(form, entry); });
    }
}

void SetLanguage(MainWindow& form, QAction* entry)
{
    LoadLanguage(form, ExePath + EntryName(entry));
}

void UpdateLanguageChecks(MainWindow& form)
{
    for (QAction* entry : form.languageMenu()->actions()) {
        const QString file = ExePath + EntryName(entry);
        entry->setChecked(file.compare(form.languageFile(), Qt::CaseInsensitive) == 0);
    }
}

QWidget* FindProgramWindow(MainWindow& form, const QString& name)
{
    for (QWidget* child : form.findChildren<QWidget*>(name))
        if (child->isWindow()) return child;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name) return window;
    return nullptr;
}
