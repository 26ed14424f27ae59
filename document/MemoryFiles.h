// Writing memory files and reading files to execute.
#pragma once

#include <QString>
#include <string>

#include "engine/FileAccess.h"

// Writes the code units as UTF-16LE (the text brings its own U+FEFF).
// The previous file is replaced only after a complete write; devices,
// folders and read-only files are refused.
NCalculatorText::FileOutcome WriteMemoryFile(const QString& path, const std::u16string& text);

enum class ReadFileResult { Read, CannotOpen, NothingRead, TooLarge };

// The file's text by the reading rule of calculation files. Only regular
// files are read, and none beyond the file text limit.
ReadFileResult ReadTextToExecute(const QString& path, std::u16string& text);
