#pragma once
// Crash recovery. While the document has unsaved changes, a copy of it (the document format,
// written safely) is kept in the per-user data folder, together with its file name and the
// time; the copy is written a moment after the last change, never on the keystroke itself,
// and goes away when the changes are saved or discarded and when the program closes cleanly.
// At the next start after a crash or a kill, the user is asked whether to bring it back.

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QLockFile;
class MainWindow;
class TTable;

// What a run left behind beside the copy of its table.
struct RecoveryInfo {
    QString fileName;  // the document's name (CurFileName)
    bool isNewFile = true;
    QDateTime time;  // of the copy
};

class TRecovery : public QObject {
    Q_OBJECT
public:
    // The copy is written this long after the last change...
    static constexpr int kDelayMs = 2000;
    // ...but during a long burst of changes not later than this after the first one.
    static constexpr int kMaxDelayMs = 10000;

    // Watches the main window's table. An empty folder means the per-user data folder.
    explicit TRecovery(MainWindow& form, const QString& folder = QString());
    ~TRecovery() override;

    // False when another running copy of the program keeps the folder: this one then keeps
    // no copy and offers none, so that neither takes away the other's.
    bool Active() const { return lock_ != nullptr; }

    // Start-up, before the main window shows: if an earlier run left a copy, asks whether to
    // restore it. Yes loads it under its original name with Changed set; No removes it.
    // True when a table was restored.
    bool OfferRestore();

    // Writes the copy now (the timer's work): the table while it has unsaved changes,
    // otherwise removes any copy.
    void Flush();
    bool Pending() const { return timer_.isActive(); }

    QString CopyPath() const;
    QString InfoPath() const;
    static std::optional<RecoveryInfo> ReadInfo(const QString& infoPath);

private:
    void TableChanged();
    void Forget();

    MainWindow& form_;
    QPointer<TTable> table_;
    std::function<void()> previousOnChange_;
    QString folder_;
    QTimer timer_;
    qint64 pendingSince_ = -1;  // ms since epoch of the first change not yet in a copy
    bool quiet_ = false;        // while restoring: the load's own notifications are no edits
    std::unique_ptr<QLockFile> lock_;
};
