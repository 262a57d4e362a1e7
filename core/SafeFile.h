#pragma once
// Writing a whole file without ever destroying the one it replaces: the bytes go to a
// temporary file beside the target, which takes the target's place only after every byte was
// written and flushed. Any failure leaves the previous file exactly as it was.

#include <QByteArray>
#include <QString>

#include <functional>

namespace SafeFile {

// The steps of one save, in the order they happen; a save makes one Write step per chunk.
enum class Step { Open, Write, Flush, Commit };

// Writes data to fileName. On failure returns false and, when asked, a message that names
// the file and the cause.
bool WriteFile(const QString& fileName, const QByteArray& data, QString* error = nullptr);

// Bytes handed to the file in one write call.
constexpr qsizetype kChunkSize = 64 * 1024;

// Test seam: called before each step; returning true makes that step fail as a disk would.
// An empty function (the default) injects nothing.
using FaultHook = std::function<bool(Step)>;
void SetFaultHook(FaultHook hook);

}  // namespace SafeFile
