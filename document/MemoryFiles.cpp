#include "document/MemoryFiles.h"

#include "document/DocumentFiles.h"
#include "engine/FileAccess.h"
#include "engine/FileText.h"
#include "toolkit/U16Text.h"

NCalculatorText::FileOutcome WriteMemoryFile(const QString& path, const std::u16string& text) {
    return NCalculatorText::ReplaceFile(NativePath(path), NCalculatorText::EncodeUtf16LE(text));
}

ReadFileResult ReadTextToExecute(const QString& path, std::u16string& text) {
    std::string bytes;
    const NCalculatorText::FileOutcome outcome =
        NCalculatorText::ReadRegularFile(NativePath(path), NCalculatorText::kFileByteLimit, bytes);
    if (outcome.failure == NCalculatorText::FileFailure::TooLarge) return ReadFileResult::TooLarge;
    if (!outcome.Ok()) return ReadFileResult::CannotOpen;
    if (bytes.empty()) return ReadFileResult::NothingRead;
    text = NCalculatorText::DecodeFileText(bytes);
    if (FileTextEditorLength(text) > static_cast<qsizetype>(NCalculatorText::kFileTextLimit))
        return ReadFileResult::TooLarge;
    return ReadFileResult::Read;
}
