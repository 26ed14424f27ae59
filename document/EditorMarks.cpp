#include "document/EditorMarks.h"

#include <QPlainTextEdit>

EditorMarks& EditorMarks::Of(QPlainTextEdit* view) {
    auto* marks = view->findChild<EditorMarks*>(QString(), Qt::FindDirectChildrenOnly);
    if (marks == nullptr) marks = new EditorMarks(view);
    return *marks;
}

EditorMarks::EditorMarks(QPlainTextEdit* view) : QObject(view), view_(view) {}

void EditorMarks::Set(Layer layer, const QList<QTextEdit::ExtraSelection>& marks) {
    layers_[layer] = marks;
    // Later layers draw over earlier ones: the failed cell over everything.
    QList<QTextEdit::ExtraSelection> all;
    for (const auto& list : layers_) all += list;
    view_->setExtraSelections(all);
}
