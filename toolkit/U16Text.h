// Conversions between the engine's UTF-16 text and QString. The code units
// are copied as they are: QString::fromUtf16 would take a leading U+FFFE for
// a swapped byte order mark and byte-swap the whole text.
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

inline QString QStringFromU16(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// A NUL-terminated UTF-16 text (engine records, keypad tables); null is empty.
inline QString QStringFromU16(const char16_t* text) {
    return text != nullptr ? QStringFromU16(std::u16string_view(text)) : QString();
}

inline std::u16string U16FromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

// A path as the operating system takes it (the engine's file functions).
inline std::filesystem::path NativePath(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    const QByteArray name = QFile::encodeName(path);
    return std::filesystem::path(
        std::string(name.constData(), static_cast<std::size_t>(name.size())));
#endif
}
