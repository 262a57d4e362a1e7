#pragma once
// Path and file-name routines of the shell and the dialogs. Paths use "/" as the separator;
// the folder part of a path runs up to and including its last "/".

#include <QString>

// The folder of the running program, with its trailing "/". Set once at start-up.
extern QString ExePath;

QString GetExePath();
QString ExtractFilePath(const QString& path);  // folder part, with its trailing "/"
QString ExtractFileName(const QString& path);  // name part
QString ExtractFileExt(const QString& path);   // from the name part's last dot, dot included
QString RemoveExt(const QString& fileName);
QString FileTitle(const QString& path);        // name part without its extension
// The first of Base.ext, Base01.ext, ..., Base99.ext, Base100.ext, ... that names no file.
QString UniqueFileName(const QString& path);
