// Writing memory files and reading files to execute.
#pragma once

#include <QString>
#include <string>

// Writes the code units as UTF-16LE (the text brings its own U+FEFF).
// The previous file is replaced only after a complete write.
bool WriteMemoryFile(const QString& path, const std::u16string& text);

enum class ReadFileResult { Read, CannotOpen, NothingRead };

// The file's text by the reading rule of calculation files.
ReadFileResult ReadTextToExecute(const QString& path, std::u16string& text);
