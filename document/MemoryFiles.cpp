#include "document/MemoryFiles.h"

#include <QFile>
#include <QSaveFile>

#include "engine/FileText.h"

bool WriteMemoryFile(const QString& path, const std::u16string& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const std::string bytes = NCalculatorText::EncodeUtf16LE(text);
    // Flushed here: commit() does not report a failing final flush.
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}

ReadFileResult ReadTextToExecute(const QString& path, std::u16string& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return ReadFileResult::CannotOpen;
    const QByteArray bytes = file.readAll();
    const bool failed = file.error() != QFileDevice::NoError;
    file.close();
    if (bytes.isEmpty() || failed) return ReadFileResult::NothingRead;
    text = NCalculatorText::DecodeFileText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return ReadFileResult::Read;
}
