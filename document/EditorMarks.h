// The marks drawn over the editor's text (its extra selections), in layers
// that their owners set independently: the failed cell, the warnings of the
// last run, the bracket paired with the one at the caret.
#pragma once

#include <QList>
#include <QObject>
#include <QTextEdit>
#include <array>

class QPlainTextEdit;

class EditorMarks : public QObject {
    Q_OBJECT
public:
    enum Layer { Bracket, Warnings, FailedCell, LayerCount };

    // The marks of a view, made on first use.
    static EditorMarks& Of(QPlainTextEdit* view);

    void Set(Layer layer, const QList<QTextEdit::ExtraSelection>& marks);
    void Clear(Layer layer) {
        if (!layers_[layer].isEmpty()) Set(layer, {});
    }
    const QList<QTextEdit::ExtraSelection>& Marks(Layer layer) const { return layers_[layer]; }

private:
    explicit EditorMarks(QPlainTextEdit* view);
    QPlainTextEdit* view_;
    std::array<QList<QTextEdit::ExtraSelection>, LayerCount> layers_;
};
