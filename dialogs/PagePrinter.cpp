#include "dialogs/PagePrinter.h"

#include "dialogs/DialogParts.h"

#include "core/SafeFile.h"

#include <QFileInfo>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

PagePrinter::PagePrinter(QObject* parent) : QObject(parent) {}

PagePrinter::~PagePrinter() = default;

QPageLayout PagePrinter::PdfLayout()
{
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

bool PagePrinter::start(const QByteArray& page, const Done& done, std::function<void()> job)
{
    if (busy_) return false;
    // The page is read from a file, as the preview reads it: a page of any size loads.
    folder_ = std::make_unique<QTemporaryDir>();
    const QString file = folder_->isValid() ? folder_->filePath(QStringLiteral("Page.htm")) : QString();
    if (file.isEmpty() || !SafeFile::WriteFile(file, page)) {
        folder_.reset();
        done(false);
        return true;
    }
    busy_ = true;
    if (!view_) {
        view_ = std::make_unique<QWebEngineView>();
        UseDesktopSansFallback(view_.get());  // printed in the face the preview shows
    }
    connect(view_.get(), &QWebEngineView::loadFinished, this,
            [this, done, job](bool loaded) {
                if (loaded) job();
                else finish(done, false);
            },
            Qt::SingleShotConnection);
    view_->load(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    return true;
}

void PagePrinter::finish(const Done& done, bool ok)
{
    busy_ = false;
    folder_.reset();
    done(ok);
}

bool PagePrinter::writePdf(const QByteArray& page, const QString& pdfFile, Done done)
{
    return start(page, done, [this, pdfFile, done] {
        connect(view_->page(), &QWebEnginePage::pdfPrintingFinished, this,
                [this, done](const QString&, bool ok) { finish(done, ok); }, Qt::SingleShotConnection);
        view_->page()->printToPdf(pdfFile, PdfLayout());
    });
}

bool PagePrinter::print(const QByteArray& page, QPrinter& printer, Done done)
{
    return start(page, done, [this, &printer, done] {
        connect(view_.get(), &QWebEngineView::printFinished, this,
                [this, done](bool ok) { finish(done, ok); }, Qt::SingleShotConnection);
        view_->print(&printer);
    });
}
