#pragma once
// Answers every question, message, file dialog, colour dialog and modal dialog of the shell
// from a script, and keeps a log of what was shown in which order. Install it with
// setPrompts(&answers) before the main window is made and remove it with setPrompts(nullptr).

#include "ui/Prompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString caption;
        QString text;
    };
    // The answer to a file dialog: the chosen file and the 1-based filter entry.
    struct FileAnswer {
        QString path;
        int filterIndex = 1;
    };
    // What a file dialog looked like when it was run.
    struct FileDialogSeen {
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString folder;
        QStringList selected;
    };

    // Modal dialogs are shown for real; the script works them like a user. A script that
    // leaves the dialog open cancels it.
    std::function<void(QDialog&)> script;
    std::optional<QColor> colorAnswer;  // nothing: the colour dialog is cancelled
    int shown = 0;

    // Questions take their answers from the front; with none left the answer is Cancel.
    std::deque<QMessageBox::StandardButton> questionAnswers;
    // File dialogs take their answers from the front; nothing (or none left) cancels.
    std::deque<std::optional<FileAnswer>> fileAnswers;
    // When set, works the real file dialog instead and gives its answer.
    std::function<std::optional<QString>(QFileDialog&)> fileScript;

    // Choices take their answers (the index of the answer, -1 Cancel) from the front; with
    // none left the answer is Cancel.
    std::deque<int> choiceAnswers;
    std::vector<Shown> questions;
    std::vector<Shown> choices;
    std::vector<QStringList> choiceButtons;  // the answers each choice offered
    std::vector<Shown> errors;
    std::vector<Shown> informations;
    std::vector<FileDialogSeen> fileDialogs;
    int colorDialogs = 0;
    // One word per prompt, in order: "question", "choice", "error", "information", "file",
    // "color", "dialog".
    QStringList log;

    int exec(QDialog& dialog) override
    {
        ++shown;
        log << QStringLiteral("dialog");
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (script) script(dialog);
        if (dialog.isVisible()) dialog.reject();
        return dialog.result();
    }

    std::optional<QColor> color(QWidget*, const QColor&) override
    {
        ++colorDialogs;
        log << QStringLiteral("color");
        return colorAnswer;
    }

    QMessageBox::StandardButton question(QWidget*, const QString& caption, const QString& text,
                                         QMessageBox::StandardButtons) override
    {
        log << QStringLiteral("question");
        questions.push_back({caption, text});
        if (questionAnswers.empty()) return QMessageBox::Cancel;
        const auto answer = questionAnswers.front();
        questionAnswers.pop_front();
        return answer;
    }

    int choice(QWidget*, const QString& caption, const QString& text, const QStringList& offered,
               const QString&) override
    {
        log << QStringLiteral("choice");
        choices.push_back({caption, text});
        choiceButtons.push_back(offered);
        if (choiceAnswers.empty()) return -1;
        const int answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }

    void error(QWidget*, const QString& caption, const QString& text) override
    {
        log << QStringLiteral("error");
        errors.push_back({caption, text});
    }

    void information(QWidget*, const QString& caption, const QString& text) override
    {
        log << QStringLiteral("information");
        informations.push_back({caption, text});
    }

    std::optional<QString> fileDialog(QFileDialog& dialog) override
    {
        log << QStringLiteral("file");
        fileDialogs.push_back(
            {dialog.acceptMode(), dialog.directory().absolutePath(), dialog.selectedFiles()});
        if (fileScript) return fileScript(dialog);
        if (fileAnswers.empty()) return std::nullopt;
        const auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        if (!answer) return std::nullopt;
        const QStringList filters = dialog.nameFilters();
        if (answer->filterIndex >= 1 && answer->filterIndex <= filters.size())
            dialog.selectNameFilter(filters[answer->filterIndex - 1]);
        return answer->path;
    }
};
