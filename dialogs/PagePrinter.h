#pragma once
// Prints the table's page, or writes it as a PDF file, through the same browser engine the
// preview shows it with. The engine lays the page out in a browser of its own that never
// shows; both jobs run in the background and report once when they are done.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QPageLayout;
class QPrinter;
class QTemporaryDir;
class QWebEngineView;

class PagePrinter : public QObject {
    Q_OBJECT
public:
    // `ok` is false when the page could not be laid out or the output not written.
    using Done = std::function<void(bool ok)>;

    explicit PagePrinter(QObject* parent = nullptr);
    ~PagePrinter() override;

    // One job at a time: a new one is refused (false, and `done` is not called) while one runs.
    bool busy() const { return busy_; }
    bool writePdf(const QByteArray& page, const QString& pdfFile, Done done);
    bool print(const QByteArray& page, QPrinter& printer, Done done);

    // The paper of a PDF: A4, or US Letter where the user's locale measures in inches, with
    // margins of 15 mm.
    static QPageLayout PdfLayout();

private:
    std::unique_ptr<QWebEngineView> view_;
    std::unique_ptr<QTemporaryDir> folder_;
    bool busy_ = false;

    // Loads the page and runs `job` on the laid-out page; `done(false)` when it cannot load.
    bool start(const QByteArray& page, const Done& done, std::function<void()> job);
    void finish(const Done& done, bool ok);
};
