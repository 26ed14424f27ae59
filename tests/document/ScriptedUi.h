// Scripted answers for message boxes (ScriptedMessages) and file dialogs,
// settings in a temporary directory (TempSettings), file bytes by hand.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTest>

#include "document/CCalcFileDialog.h"
#include "shell/core/MessageBox.h"
#include "tests/support/ScriptedAnswers.h"
#include "tests/support/TempSettings.h"

// Bytes given as numbers.
inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray bytes;
    for (int v : values) bytes.append(static_cast<char>(v));
    return bytes;
}

// A calculation file written by hand: FF FE (unless left out), then UTF-16LE.
inline QByteArray Utf16File(const QString& text, bool mark = true) {
    QByteArray bytes = mark ? Bytes({0xFF, 0xFE}) : QByteArray();
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

// The document suites' names for the shared scripted answers.
using AskedMessage = AskedQuestion;

struct SeenDialog {
    bool open;
    QString defaultExtension;
    QString proposedName;
    QString filter;
    QString title;
    unsigned flags;
    QString startFolder;
};

// Types the queued names into file dialogs (an empty queue cancels).
class ScriptedFiles {
public:
    explicit ScriptedFiles(QStringList typed = {}) : typed(std::move(typed)) {
        previous_ = CCalcFileDialog::SetChooser([this](const CCalcFileDialog& dialog) {
            seen.append({dialog.IsOpenDialog(), dialog.DefaultExtension(), dialog.ProposedName(),
                         dialog.Filter(), dialog.Title(), dialog.Flags(), dialog.StartFolder()});
            return this->typed.isEmpty() ? QString() : this->typed.takeFirst();
        });
    }
    ~ScriptedFiles() { CCalcFileDialog::SetChooser(std::move(previous_)); }

    QList<SeenDialog> seen;
    QStringList typed;

private:
    CCalcFileDialog::Chooser previous_;
};
