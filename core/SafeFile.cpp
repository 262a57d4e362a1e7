#include "core/SafeFile.h"

#include <QSaveFile>

#include <algorithm>

namespace SafeFile {
namespace {

FaultHook& Hook()
{
    static FaultHook hook;
    return hook;
}

bool Injected(Step step)
{
    return Hook() && Hook()(step);
}

bool Fail(QString* error, const QString& what, const QString& fileName, const QString& cause)
{
    if (error) *error = QStringLiteral("Cannot %1 \"%2\": %3").arg(what, fileName, cause);
    return false;
}

const QString kInjected = QStringLiteral("simulated failure");

}  // namespace

void SetFaultHook(FaultHook hook)
{
    Hook() = std::move(hook);
}

bool WriteFile(const QString& fileName, const QByteArray& data, QString* error)
{
    // QSaveFile writes to a temporary beside the target and discards it unless committed.
    QSaveFile file(fileName);
    if (Injected(Step::Open)) return Fail(error, "create", fileName, kInjected);
    if (!file.open(QIODevice::WriteOnly)) return Fail(error, "create", fileName, file.errorString());

    for (qsizetype pos = 0; pos < data.size();) {
        const qsizetype chunk = std::min(kChunkSize, data.size() - pos);
        if (Injected(Step::Write)) {
            file.cancelWriting();
            return Fail(error, "write", fileName, kInjected);
        }
        const qint64 written = file.write(data.constData() + pos, chunk);
        if (written != chunk) {
            const QString cause = written < 0 ? file.errorString() : QStringLiteral("short write");
            file.cancelWriting();
            return Fail(error, "write", fileName, cause);
        }
        pos += chunk;
    }
    if (Injected(Step::Flush) || !file.flush()) {
        const QString cause = file.error() != QFileDevice::NoError ? file.errorString() : kInjected;
        file.cancelWriting();
        return Fail(error, "write", fileName, cause);
    }
    if (Injected(Step::Commit)) {
        file.cancelWriting();
        return Fail(error, "replace", fileName, kInjected);
    }
    if (!file.commit()) return Fail(error, "replace", fileName, file.errorString());
    return true;
}

}  // namespace SafeFile
