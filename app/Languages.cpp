#include "app/Languages.h"

#include "app/MainWindow.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>

#include <algorithm>

namespace {

// The file name of a Language entry, without folder.
QString EntryName(const QAction* entry)
{
    return entry->data().toString();
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
    form.setLanguageFile(fileName);
    form.applyLanguage(LanguageTexts::Parse(data));
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
        QString caption = name(file);
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
