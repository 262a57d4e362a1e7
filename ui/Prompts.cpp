#include "ui/Prompts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QClipboard>
#include <QColorDialog>
#include <QCompleter>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace {

// Ctrl+C in a message copies it as text (caption, message and buttons between rules), as
// message boxes on other desktops do: a refusal can be pasted into a report.
int ExecCopyable(QMessageBox& box)
{
    auto* copy = new QShortcut(QKeySequence::Copy, &box);
    QObject::connect(copy, &QShortcut::activated, &box, [&box] {
        const QString rule = QStringLiteral("---------------------------\n");
        QStringList buttons;
        for (const QAbstractButton* button : box.buttons())
            buttons << QString(button->text()).remove(QLatin1Char('&'));
        QGuiApplication::clipboard()->setText(rule + box.windowTitle() + QLatin1Char('\n') + rule +
                                              box.text() + QLatin1Char('\n') + rule +
                                              buttons.join(QStringLiteral("   ")) +
                                              QLatin1Char('\n') + rule);
    });
    return box.exec();
}

}  // namespace

QMessageBox::StandardButton Prompts::question(QWidget* parent, const QString& caption,
                                              const QString& text,
                                              QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Warning, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(ExecCopyable(box));
}

int Prompts::choice(QWidget* parent, const QString& caption, const QString& text,
                    const QStringList& answers, const QString& cancel)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers) buttons << box.addButton(answer, QMessageBox::AcceptRole);
    QAbstractButton* cancelButton = box.addButton(cancel, QMessageBox::RejectRole);
    box.setEscapeButton(cancelButton);
    if (!buttons.isEmpty()) box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
    ExecCopyable(box);
    return int(buttons.indexOf(box.clickedButton()));
}

void Prompts::error(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    ExecCopyable(box);
}

void Prompts::information(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    ExecCopyable(box);
}

std::optional<QString> Prompts::fileDialog(QFileDialog& dialog)
{
    const int result = dialog.exec();
    // The name field's completion list fills in from a background folder scan and can show up
    // after the dialog has closed; it must not outlive the dialog.
    for (QCompleter* completer : dialog.findChildren<QCompleter*>()) {
        if (completer->popup()) completer->popup()->hide();
    }
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> Prompts::color(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

int Prompts::exec(QDialog& dialog)
{
    return dialog.exec();
}

bool Prompts::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool OpenThroughDesktop(QWidget* parent, const QUrl& url, const QString& errorCaption,
                        const QString& cantLaunch)
{
    if (prompts().openUrl(url)) return true;
    QString text = cantLaunch;
    prompts().error(parent, errorCaption, text.replace(QLatin1String("%s"), url.toDisplayString()));
    return false;
}

namespace {
Prompts interactivePrompts;
Prompts* current = &interactivePrompts;
}  // namespace

Prompts& prompts()
{
    return *current;
}

void setPrompts(Prompts* replacement)
{
    current = replacement ? replacement : &interactivePrompts;
}
