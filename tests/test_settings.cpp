// The per-user settings: what a start reads from the store, and what an exit writes back.

#include "tests/SettingsSandbox.h"

#include "app/MainWindow.h"
#include "app/Settings.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "tests/ShellParts.h"
#include "ui/FileNames.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

class Settings : public ::testing::Test {
protected:
    QTemporaryDir folder;  // the program's folder and the current folder
    QString previousCurrent = QDir::currentPath();

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ExePath = folder.path() + QLatin1Char('/');
        QDir::setCurrent(folder.path());
        store().clear();
        store().sync();
    }
    void TearDown() override
    {
        store().clear();
        store().sync();
        QDir::setCurrent(previousCurrent);
    }

    static QSettings& store()
    {
        static QSettings settings(QStringLiteral("Vantorel"), QStringLiteral("HTML Quillgrid"));
        settings.sync();  // take in what the program wrote through its own store object
        return settings;
    }
    static void put(std::initializer_list<std::pair<const char*, QVariant>> values)
    {
        for (const auto& [name, value] : values) store().setValue(QLatin1String(name), value);
        store().sync();
    }
    static QVariant stored(const char* name) { return store().value(QLatin1String(name)); }

    static QSize screen() { return QGuiApplication::primaryScreen()->geometry().size(); }

    // A start of the program as far as the settings go: the main window, shown.
    static std::unique_ptr<MainWindow> start()
    {
        auto form = std::make_unique<MainWindow>();
        form->show();
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        return form;
    }
};

TEST_F(Settings, EmptyStoreGivesTheDefaults)
{
    auto form = std::make_unique<MainWindow>();
    EXPECT_EQ(form->geometry(), QRect(50, 50, screen().width() - 100, screen().height() - 100));
    EXPECT_TRUE(form->startMaximized());
    EXPECT_EQ(form->collectSettings().preview.bounds,
              QRect(50, 50, screen().width() - 100, screen().height() - 100));
    EXPECT_TRUE(form->collectSettings().preview.maximized);
    EXPECT_EQ(form->fileName(), QStringLiteral("Table.qgd"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("HTML Quillgrid - Table.qgd"));
    EXPECT_TRUE(form->languageFile().isEmpty());  // start-up then takes English.lng

    form->show();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    EXPECT_TRUE(form->windowState().testFlag(Qt::WindowMaximized)) << "maximized at first paint";
    EXPECT_FALSE(form->startMaximized());
    EXPECT_TRUE(form->menuBar()->isVisible());
    EXPECT_TRUE(Part<QToolBar>(*form, "ToolBar1")->isVisible());
    EXPECT_TRUE(Part<QToolBar>(*form, "ToolBar2")->isVisible());
    EXPECT_TRUE(form->statusBar()->isVisible());
}

TEST_F(Settings, ValueOfTheWrongTypeFallsBackAlone)
{
    put({{"Left", 10}, {"Top", 20}, {"Width", QStringLiteral("wide")}, {"Height", 300},
         {"Maximized", false}, {"F2Left", QStringLiteral("far")}, {"F2Top", 7},
         {"F2Maximized", QStringLiteral("perhaps")}, {"Toolbar1", QStringLiteral("hidden")},
         {"Toolbar2", false}, {"WorkDir", QStringList{QStringLiteral("a"), QStringLiteral("b")}}});
    auto form = std::make_unique<MainWindow>();
    EXPECT_EQ(form->geometry(), QRect(10, 20, screen().width() - 100, 300));
    EXPECT_FALSE(form->startMaximized());
    EXPECT_EQ(form->collectSettings().preview.bounds.topLeft(), QPoint(50, 7));
    EXPECT_TRUE(form->collectSettings().preview.maximized);
    EXPECT_FALSE(Part<QToolBar>(*form, "ToolBar1")->isHidden()) << "an unreadable bar value leaves the bar shown";
    EXPECT_TRUE(Part<QToolBar>(*form, "ToolBar2")->isHidden());
    EXPECT_EQ(form->fileName(), QStringLiteral("Table.qgd"));
}

TEST_F(Settings, NumbersAndBooleansWrittenAsTextAreRead)
{
    // What another copy of the program left in the store's file comes back as text.
    put({{"Left", QStringLiteral("-30")}, {"Top", QStringLiteral("40")},
         {"Width", QStringLiteral("500")}, {"Height", QStringLiteral("99999999999")},
         {"Maximized", QStringLiteral("0")}, {"StatusBar", QStringLiteral("false")}});
    auto form = std::make_unique<MainWindow>();
    EXPECT_EQ(form->geometry(), QRect(-30, 40, 500, screen().height() - 100))
        << "a number beyond 32 bits is unreadable";
    EXPECT_FALSE(form->startMaximized());
    EXPECT_TRUE(form->statusBar()->isHidden());
}

TEST_F(Settings, ExitingMaximizedKeepsTheStoredBounds)
{
    put({{"Left", 10}, {"Top", 20}, {"Width", 400}, {"Height", 300}, {"Maximized", false}});
    auto form = start();
    form->setWindowState(Qt::WindowMaximized);
    SetPreviewPlacement(*form, {QRect(1, 2, 3, 4), true});
    ASSERT_TRUE(form->close());

    EXPECT_EQ(stored("Maximized").toBool(), true);
    EXPECT_EQ(stored("Left").toInt(), 10);
    EXPECT_EQ(stored("Top").toInt(), 20);
    EXPECT_EQ(stored("Width").toInt(), 400);
    EXPECT_EQ(stored("Height").toInt(), 300);
    EXPECT_EQ(stored("F2Maximized").toBool(), true);
    EXPECT_FALSE(store().contains(QStringLiteral("F2Left")));
}

TEST_F(Settings, ExitingInTheNormalStateWritesBothWindowsBounds)
{
    put({{"Maximized", false}});
    auto form = start();
    form->setGeometry(60, 70, 480, 320);
    SetPreviewPlacement(*form, {QRect(5, 6, 300, 200), false});
    const QRect bounds = form->geometry();
    ASSERT_TRUE(form->close());

    EXPECT_EQ(stored("Maximized").toBool(), false);
    EXPECT_EQ(QRect(stored("Left").toInt(), stored("Top").toInt(), stored("Width").toInt(),
                    stored("Height").toInt()),
              bounds);
    EXPECT_EQ(stored("F2Maximized").toBool(), false);
    EXPECT_EQ(QRect(stored("F2Left").toInt(), stored("F2Top").toInt(), stored("F2Width").toInt(),
                    stored("F2Height").toInt()),
              QRect(5, 6, 300, 200));

    // The next start puts the window back where it was.
    auto next = std::make_unique<MainWindow>();
    EXPECT_EQ(next->geometry(), bounds);
    EXPECT_EQ(next->collectSettings().preview.bounds, QRect(5, 6, 300, 200));
    EXPECT_FALSE(next->collectSettings().preview.maximized);
}

TEST_F(Settings, WorkDirNamesTheFirstDocumentAndComesBack)
{
    QTemporaryDir work;
    const QString dir = work.path() + QLatin1Char('/');
    QFile existing(dir + QStringLiteral("Table.qgd"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const QString language = ExePath + QStringLiteral("French.lng");
    put({{"WorkDir", dir}, {"ExportDir", QStringLiteral("/some/export/")},
         {"Language", language}});

    auto form = start();
    EXPECT_EQ(form->fileName(), dir + QStringLiteral("Table01.qgd"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("HTML Quillgrid - ") + dir + "Table01.qgd");
    EXPECT_EQ(form->collectSettings().exportDir, QStringLiteral("/some/export/"));
    EXPECT_EQ(form->languageFile(), language);
    ASSERT_TRUE(form->close());

    EXPECT_EQ(stored("WorkDir").toString(), dir);
    EXPECT_EQ(stored("ExportDir").toString(), QStringLiteral("/some/export/"));
    EXPECT_EQ(stored("Language").toString(), language);
}

TEST_F(Settings, DocumentWithoutFolderWritesAnEmptyWorkDir)
{
    put({{"WorkDir", QStringLiteral("/old/place/")}});
    auto form = start();
    form->setDocumentName(QStringLiteral("Table.qgd"), true);
    ASSERT_TRUE(form->close());
    EXPECT_EQ(stored("WorkDir").toString(), QString());
}

TEST_F(Settings, HiddenBarsStayHiddenAfterARestart)
{
    {
        auto form = start();
        form->actMainMenu->trigger();
        form->actToolbar1->trigger();
        form->actToolbar2->trigger();
        ASSERT_TRUE(form->close());
    }
    EXPECT_EQ(stored("MainMenu").toBool(), false);
    EXPECT_EQ(stored("StatusBar").toBool(), true);

    auto form = start();
    EXPECT_TRUE(form->menuBar()->isHidden());
    EXPECT_TRUE(Part<QToolBar>(*form, "ToolBar1")->isHidden());
    EXPECT_TRUE(Part<QToolBar>(*form, "ToolBar2")->isHidden());
    EXPECT_TRUE(form->statusBar()->isVisible());
    form->ActionListUpdate();
    EXPECT_FALSE(form->actMainMenu->isChecked());
    EXPECT_TRUE(form->actStatusBar->isChecked());
}

TEST_F(Settings, ACloseRefusedByTheUserWritesNothing)
{
    auto form = start();
    form->table()->Changed = true;  // the question is answered Cancel by the stand-in below
    struct Refuse : Prompts {
        QMessageBox::StandardButton question(QWidget*, const QString&, const QString&,
                                             QMessageBox::StandardButtons) override
        {
            return QMessageBox::Cancel;
        }
    } refuse;
    setPrompts(&refuse);
    EXPECT_FALSE(form->close());
    setPrompts(nullptr);
    EXPECT_FALSE(store().contains(QStringLiteral("Maximized")));
    form->table()->Changed = false;
}

// File > Recent Files: documents opened or saved, newest first, eight at most, kept in the
// store; a file that is gone shows as missing and leaves the list when chosen, with a message.
TEST_F(Settings, RecentFilesKeepTheLastEightAndDropAMissingOneWithAMessage)
{
    ScriptedPrompts answers;
    setPrompts(&answers);
    auto entries = [](MainWindow& form) {
        QMenu* menu = Part<QMenu>(form, "MenuRecent");
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction* entry : menu->actions()) texts << entry->text();
        return texts;
    };
    const QString gone = ExePath + QStringLiteral("gone.qgd");
    // Repeats, blanks and values of the wrong kind in the store are passed over.
    put({{"RecentFile1", gone}, {"RecentFile2", QString()}, {"RecentFile3", gone},
         {"RecentFile4", 7}});
    auto form = start();
    EXPECT_EQ(form->recentFiles(), QStringList{gone});
    EXPECT_EQ(entries(*form), QStringList{QStringLiteral("&1 %1 (missing)").arg(gone)});

    QStringList saved;
    for (int n = 1; n <= 9; ++n) {
        saved.prepend(ExePath + QStringLiteral("doc%1.qgd").arg(n));
        ASSERT_TRUE(form->SaveDocument(saved.front()));
    }
    ASSERT_TRUE(form->OpenDocument(saved.at(3)));
    QStringList expected = saved.mid(0, 8);
    expected.move(3, 0);
    EXPECT_EQ(form->recentFiles(), expected) << "the one reopened comes first; gone and doc1 fell off";
    ASSERT_TRUE(form->close());
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(stored(QStringLiteral("RecentFile%1").arg(n).toLatin1()).toString(), expected.at(n - 1));

    // The next start lists them again; one deleted since shows as missing and goes when chosen.
    ASSERT_TRUE(QFile::remove(expected.at(1)));
    form = start();
    const QStringList shown = entries(*form);
    ASSERT_EQ(shown.size(), 8);
    EXPECT_EQ(shown.at(0), QStringLiteral("&1 ") + expected.at(0));
    EXPECT_EQ(shown.at(1), QStringLiteral("&2 %1 (missing)").arg(expected.at(1)));
    const QString onScreen = form->fileName();
    Part<QMenu>(*form, "MenuRecent")->actions().at(1)->trigger();
    ASSERT_EQ(answers.informations.size(), 1u);
    EXPECT_TRUE(answers.informations.front().text.contains(expected.at(1)));
    EXPECT_FALSE(form->recentFiles().contains(expected.at(1)));
    EXPECT_EQ(form->fileName(), onScreen) << "the document on screen stays";
    Part<QMenu>(*form, "MenuRecent")->actions().at(1)->trigger();
    EXPECT_EQ(form->fileName(), expected.at(2)) << "an entry that exists opens its file";
    EXPECT_TRUE(answers.errors.empty());
    setPrompts(nullptr);
}

}  // namespace
