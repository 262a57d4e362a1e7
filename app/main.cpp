// Start-up: the program's folder, the application, the windows in their fixed order, the
// language file, a document named on the command line, and the event loop.

#include "app/Languages.h"
#include "app/MainWindow.h"
#include "app/Recovery.h"
#include "ui/FileNames.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

#include <unistd.h>

namespace {

// The embedded browser's engine refuses to start as root unless its sandbox is off.
void AllowBrowserAsRoot()
{
    if (geteuid() != 0) return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox")) return;
    flags += flags.isEmpty() ? "--no-sandbox" : " --no-sandbox";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// The font configuration beside the program adds the Tahoma face that new cells use, so that
// the grid, the font box and the preview's page show the same face. Fontconfig reads it when
// the first font is loaded, so it is named before the application starts.
void UseProgramFonts()
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) return;
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString config = QFileInfo(program).absolutePath() + QStringLiteral("/fonts/quillgrid-fonts.conf");
    if (QFileInfo::exists(config)) qputenv("FONTCONFIG_FILE", QFile::encodeName(config));
}

// Without a display the toolkit would abort with a message about platform plugins.
bool HasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasDisplay()) {
        std::fputs("quillgrid: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set).\nStart it from a desktop session, or under a virtual display: "
                   "xvfb-run -a quillgrid\n",
                   stderr);
        return 1;
    }
    UseProgramFonts();
    AllowBrowserAsRoot();
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the browser needs it
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vantorel"));
    QApplication::setApplicationName(QStringLiteral("HTML Quillgrid"));
    ExePath = GetExePath();

    // The windows, in their fixed order: the main window first (closing it ends the program),
    // then the dialogs, created once and reused.
    MainWindow form;
    form.createDialogs();

    // Every window exists now, so the language file can relabel them all.
    if (form.languageFile().isEmpty())
        form.setLanguageFile(ExePath + QStringLiteral("English.lng"));
    LoadLanguage(form, form.languageFile());
    // A table that a crashed or killed run left unsaved is offered back before the window shows.
    (new TRecovery(form))->OfferRestore();
    form.show();
    // "quillgrid FILE" (a double-click in a file manager) opens FILE as Open does; one that
    // cannot be opened says why and leaves the new untitled document.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        const QString document = QFileInfo(arguments.at(1)).absoluteFilePath();
        QTimer::singleShot(0, &form, [&form, document] { form.OpenDocument(document); });
    }
    return app.exec();
}
