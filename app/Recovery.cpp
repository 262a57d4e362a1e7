#include "app/Recovery.h"

#include "app/MainWindow.h"
#include "core/DocumentFormat.h"
#include "core/SafeFile.h"
#include "grid/Tables.h"
#include "ui/Prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>

namespace {

const QLatin1String kCopyName("recovery.qgd");
const QLatin1String kInfoName("recovery.info");
const QLatin1String kLockName("recovery.lock");

QByteArray InfoBytes(const RecoveryInfo& info)
{
    // One value a line; the name percent-encoded, so that any file name fits on one line.
    return "file=" + QFile::encodeName(info.fileName).toPercentEncoding() + "\nnew=" +
           (info.isNewFile ? "1" : "0") + "\ntime=" + info.time.toString(Qt::ISODateWithMs).toLatin1() +
           "\n";
}

QByteArray ReadAll(const QString& path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > limit) return QByteArray();
    return file.readAll();
}

}  // namespace

TRecovery::TRecovery(MainWindow& form, const QString& folder)
    : QObject(&form), form_(form), table_(form.table()), folder_(folder)
{
    if (folder_.isEmpty())
        folder_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &TRecovery::Flush);

    QDir().mkpath(folder_);
    auto lock = std::make_unique<QLockFile>(folder_ + QLatin1Char('/') + kLockName);
    lock->setStaleLockTime(0);  // only a lock whose process is gone is stale
    if (lock->tryLock(0)) lock_ = std::move(lock);
    if (!lock_) return;

    previousOnChange_ = table_->OnChange;
    table_->OnChange = [this] {
        if (previousOnChange_) previousOnChange_();
        TableChanged();
    };
    // A successful save clears Changed without a change notification; it renames the document.
    connect(&form_, &MainWindow::documentRenamed, this, [this] {
        if (table_ && !table_->Changed) Forget();
    });
}

TRecovery::~TRecovery()
{
    if (table_ && lock_) table_->OnChange = previousOnChange_;
}

QString TRecovery::CopyPath() const
{
    return folder_ + QLatin1Char('/') + kCopyName;
}

QString TRecovery::InfoPath() const
{
    return folder_ + QLatin1Char('/') + kInfoName;
}

std::optional<RecoveryInfo> TRecovery::ReadInfo(const QString& infoPath)
{
    const QByteArray text = ReadAll(infoPath, 64 * 1024);
    RecoveryInfo info;
    bool named = false;
    for (const QByteArray& line : text.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0) continue;
        const QByteArray key = line.left(eq), value = line.mid(eq + 1);
        if (key == "file") {
            info.fileName = QFile::decodeName(QByteArray::fromPercentEncoding(value));
            named = !info.fileName.isEmpty();
        } else if (key == "new") {
            info.isNewFile = value != "0";
        } else if (key == "time") {
            info.time = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
        }
    }
    if (!named) return std::nullopt;
    return info;
}

void TRecovery::TableChanged()
{
    if (quiet_ || !table_) return;
    if (!table_->Changed) {
        Forget();
        return;
    }
    // Typing restarts the wait, so that no copy is written while the user types; a long
    // burst still gets its copy after kMaxDelayMs.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!timer_.isActive()) pendingSince_ = now;
    if (!timer_.isActive() || now - pendingSince_ < kMaxDelayMs - kDelayMs) timer_.start();
}

void TRecovery::Flush()
{
    timer_.stop();
    if (!lock_ || !table_) return;
    if (!table_->Changed) {
        Forget();
        return;
    }
    // Silent: a copy that cannot be written must not interrupt the user's work.
    const RecoveryInfo info{form_.fileName(), form_.isNewFile(), QDateTime::currentDateTime()};
    // The description first: a crash between the two writes then leaves an earlier copy that
    // is still described, never a copy without its name.
    if (SafeFile::WriteFile(InfoPath(), InfoBytes(info)))
        SafeFile::WriteFile(CopyPath(), table_->SaveToBytes());
}

void TRecovery::Forget()
{
    timer_.stop();
    if (!lock_) return;
    if (QFile::exists(CopyPath())) QFile::remove(CopyPath());
    if (QFile::exists(InfoPath())) QFile::remove(InfoPath());
}

bool TRecovery::OfferRestore()
{
    if (!lock_ || !QFile::exists(CopyPath())) return false;
    const QByteArray bytes = ReadAll(CopyPath(), DocumentFormat::kMaxDocumentSize);
    const auto info = ReadInfo(InfoPath());
    // A copy cut short or without its name cannot be brought back as it was: drop it quietly.
    if (!info || !DocumentFormat::ParseDocument(bytes)) {
        Forget();
        return false;
    }
    const QString time = QLocale().toString(info->time.isValid() ? info->time
                                                                   : QFileInfo(CopyPath()).lastModified(),
                                            QLocale::ShortFormat);
    const auto answer = prompts().question(&form_, form_.texts().warning,
                                           ShellTexts::withName(form_.texts().recover, time),
                                           QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        Forget();
        return false;
    }
    quiet_ = true;
    const bool loaded = table_->LoadFromBytes(bytes);
    if (loaded) {
        // The restored table is the start of a fresh history, and it is not saved anywhere.
        table_->StartHistory();
        table_->Changed = true;
        form_.setDocumentName(info->fileName, info->isNewFile);
    }
    quiet_ = false;
    if (!loaded) Forget();
    return loaded;
}
