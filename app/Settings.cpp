#include "app/Settings.h"

#include "app/MainWindow.h"

#include "ui/FileNames.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <limits>

namespace {

// The store holds text in its file and typed values for what this process wrote: both are
// accepted when they hold the right kind of value, anything else reads as missing.

std::optional<int> ReadInteger(const QSettings& store, const QString& name)
{
    const QVariant value = store.value(name);
    bool ok = false;
    qlonglong number = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        number = value.toLongLong(&ok);
        break;
    case QMetaType::QString:
        number = value.toString().toLongLong(&ok);
        break;
    default:
        return std::nullopt;
    }
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

// A Boolean is stored as an integer (any non-zero value is true) or as "true"/"false".
std::optional<bool> ReadBoolean(const QSettings& store, const QString& name)
{
    const QVariant value = store.value(name);
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    const auto number = ReadInteger(store, name);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<QString> ReadString(const QSettings& store, const QString& name)
{
    const QVariant value = store.value(name);
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return value.toString();
}

WindowPlacement ReadPlacement(const QSettings& store, const QString& prefix, const QSize& screen)
{
    auto integer = [&](const char* name, int fallback) {
        return ReadInteger(store, prefix + QLatin1String(name)).value_or(fallback);
    };
    WindowPlacement placement;
    placement.bounds = QRect(integer("Left", 50), integer("Top", 50),
                             integer("Width", screen.width() - 100),
                             integer("Height", screen.height() - 100));
    placement.maximized = ReadBoolean(store, prefix + QLatin1String("Maximized")).value_or(true);
    return placement;
}

void WritePlacement(QSettings& store, const QString& prefix, const WindowPlacement& placement)
{
    store.setValue(prefix + QLatin1String("Maximized"), placement.maximized);
    if (placement.maximized) return;
    store.setValue(prefix + QLatin1String("Left"), placement.bounds.left());
    store.setValue(prefix + QLatin1String("Top"), placement.bounds.top());
    store.setValue(prefix + QLatin1String("Width"), placement.bounds.width());
    store.setValue(prefix + QLatin1String("Height"), placement.bounds.height());
}

// The bounds a window has when it is not maximized (also while it is minimized).
}  // namespace

QStringList WithRecentFile(QStringList list, const QString& fileName)
{
    list.removeAll(fileName);
    list.prepend(fileName);
    while (list.size() > kRecentFileCount) list.removeLast();
    return list;
}

std::unique_ptr<QSettings> OpenSettingsStore()
{
    return std::make_unique<QSettings>(QStringLiteral("Vantorel"),
                                       QStringLiteral("HTML Quillgrid"));
}

ProgramSettings ReadProgramSettings(const QSettings& store, const QSize& screen)
{
    ProgramSettings values;
    const WindowPlacement main = ReadPlacement(store, QString(), screen);
    values.mainBounds = main.bounds;
    values.mainMaximized = main.maximized;
    values.preview = ReadPlacement(store, QStringLiteral("F2"), screen);
    values.workDir = ReadString(store, QStringLiteral("WorkDir")).value_or(QString());
    values.exportDir = ReadString(store, QStringLiteral("ExportDir")).value_or(QString());
    values.previewHtml5 = ReadString(store, QStringLiteral("PreviewStyle")) == QStringLiteral("HTML5");
    values.mainMenu = ReadBoolean(store, QStringLiteral("MainMenu"));
    values.toolbar1 = ReadBoolean(store, QStringLiteral("Toolbar1"));
    values.toolbar2 = ReadBoolean(store, QStringLiteral("Toolbar2"));
    values.statusBar = ReadBoolean(store, QStringLiteral("StatusBar"));
    values.language = ReadString(store, QStringLiteral("Language")).value_or(QString());
    // Read from the oldest up, so that each newer file goes to the top and repeats drop out.
    for (int n = kRecentFileCount; n >= 1; --n) {
        const auto file = ReadString(store, QStringLiteral("RecentFile%1").arg(n));
        if (file && !file->isEmpty()) values.recentFiles = WithRecentFile(values.recentFiles, *file);
    }
    values.importMarkup = ReadString(store, QStringLiteral("ImportMarkup")) == QStringLiteral("AsWritten")
                              ? ImportMarkup::AsWritten
                              : ImportMarkup::ShownOnly;
    values.zoom = std::clamp(ReadInteger(store, QStringLiteral("Zoom")).value_or(100), 50, 400);
    return values;
}

bool WriteProgramSettings(QSettings& store, const ProgramSettings& values)
{
    WritePlacement(store, QString(), {values.mainBounds, values.mainMaximized});
    WritePlacement(store, QStringLiteral("F2"), values.preview);
    store.setValue(QStringLiteral("WorkDir"), values.workDir);
    store.setValue(QStringLiteral("ExportDir"), values.exportDir);
    store.setValue(QStringLiteral("PreviewStyle"),
                   values.previewHtml5 ? QStringLiteral("HTML5") : QStringLiteral("Classic"));
    store.setValue(QStringLiteral("MainMenu"), values.mainMenu.value_or(true));
    store.setValue(QStringLiteral("Toolbar1"), values.toolbar1.value_or(true));
    store.setValue(QStringLiteral("Toolbar2"), values.toolbar2.value_or(true));
    store.setValue(QStringLiteral("StatusBar"), values.statusBar.value_or(true));
    store.setValue(QStringLiteral("Language"), values.language);
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QString name = QStringLiteral("RecentFile%1").arg(n);
        if (n <= values.recentFiles.size()) store.setValue(name, values.recentFiles.at(n - 1));
        else store.remove(name);
    }
    store.setValue(QStringLiteral("ImportMarkup"), values.importMarkup == ImportMarkup::AsWritten
                                                       ? QStringLiteral("AsWritten")
                                                       : QStringLiteral("ShownOnly"));
    store.setValue(QStringLiteral("Zoom"), values.zoom);
    store.sync();
    return store.status() == QSettings::NoError;
}

void ReadSettings(MainWindow& form)
{
    const auto store = OpenSettingsStore();
    const QScreen* screen = QGuiApplication::primaryScreen();
    form.applySettings(
        ReadProgramSettings(*store, screen ? screen->geometry().size() : QSize(800, 600)));
}

void WriteSettings(const MainWindow& form)
{
    const auto store = OpenSettingsStore();
    WriteProgramSettings(*store, form.collectSettings());  // a store that cannot be saved is left silently
}
