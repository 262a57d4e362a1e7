#pragma once
// A main window whose questions, messages, file dialogs and modal dialogs a script answers
// (ScriptedPrompts), in a temporary folder that stands for the program's own; for the tests of
// the shell's commands.

#include "app/MainWindow.h"
#include "grid/Tables.h"
#include "tests/ScriptedPrompts.h"
#include "ui/FileNames.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

inline QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ScriptedWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedPrompts answers;
    std::unique_ptr<MainWindow> form;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ExePath = dir.path() + QLatin1Char('/');
        setPrompts(&answers);
        start();
    }
    void TearDown() override
    {
        form.reset();
        setPrompts(nullptr);
        QSettings(QStringLiteral("Vantorel"), QStringLiteral("HTML Quillgrid")).clear();
        ExePath.clear();
    }
    // A new main window, as at a start of the program.
    void start()
    {
        form = std::make_unique<MainWindow>();
        form->createDialogs();
        form->setStartMaximized(false);
        form->show();
        QApplication::processEvents();
    }
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};
