#pragma once
// Every question, message and standard dialog the shell shows goes through one Prompts
// object, so that tests can answer them without a person.

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QFileDialog;
class QUrl;
class QWidget;

class Prompts {
public:
    virtual ~Prompts() = default;
    // A question with the given buttons and a warning icon; returns the button chosen.
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& caption,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons);
    // A question whose buttons say what each answer does, with Cancel (`cancel`) last; returns
    // the index of the answer chosen, the first being the default, or -1 for Cancel and Esc.
    virtual int choice(QWidget* parent, const QString& caption, const QString& text,
                       const QStringList& answers, const QString& cancel);
    virtual void error(QWidget* parent, const QString& caption, const QString& text);
    // A message that something was done, with a note of what it left out.
    virtual void information(QWidget* parent, const QString& caption, const QString& text);
    // Runs a prepared file dialog; returns the chosen file, or nothing when cancelled.
    virtual std::optional<QString> fileDialog(QFileDialog& dialog);
    // The colour dialog, preset to `initial`; nothing when cancelled.
    virtual std::optional<QColor> color(QWidget* parent, const QColor& initial);
    // Shows a modal dialog; returns its result (QDialog::Accepted or Rejected).
    virtual int exec(QDialog& dialog);
    // Hands an address to the desktop (its browser, mail program, ...); false when nothing
    // took it.
    virtual bool openUrl(const QUrl& url);
};

// Opens `url` through the desktop; when nothing takes it, says so in an error message whose
// text is `cantLaunch` with "%s" replaced by the address. False then.
bool OpenThroughDesktop(QWidget* parent, const QUrl& url, const QString& errorCaption,
                        const QString& cantLaunch);

// The one the program uses; tests install their own.
Prompts& prompts();
void setPrompts(Prompts* replacement);  // nullptr restores the interactive one
