#include "document/CalcCompleter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextBlock>

#include "document/DocumentFiles.h"
#include "engine/MemoryStore.h"
#include "engine/NumberFormat.h"
#include "toolkit/U16Text.h"

namespace {

constexpr int kInsertRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

enum Tradition { Both, West, East, Other, Constant, MemoryWord };

struct Entry {
    const char* name;
    const char* description;  // the manual's words, "CalcCompleter" context
    Tradition tradition;
};

// The function list of the manual, both notations; then the other names.
constexpr Entry kEntries[] = {
    {"sqrt", QT_TRANSLATE_NOOP("CalcCompleter", "Square root"), Both},
    {"abs", QT_TRANSLATE_NOOP("CalcCompleter", "Absolute value"), Both},
    {"sign", QT_TRANSLATE_NOOP("CalcCompleter", "Sign"), Both},
    {"fact", QT_TRANSLATE_NOOP("CalcCompleter", "Factorial"), Both},
    {"exp", QT_TRANSLATE_NOOP("CalcCompleter", "Exponent"), Both},
    {"ln", QT_TRANSLATE_NOOP("CalcCompleter", "Natural logarithm"), Both},
    {"log", QT_TRANSLATE_NOOP("CalcCompleter", "Decimal logarithm"), West},
    {"lg", QT_TRANSLATE_NOOP("CalcCompleter", "Decimal logarithm"), East},
    {"sin", QT_TRANSLATE_NOOP("CalcCompleter", "Sine"), Both},
    {"cos", QT_TRANSLATE_NOOP("CalcCompleter", "Cosine"), Both},
    {"tan", QT_TRANSLATE_NOOP("CalcCompleter", "Tangent"), West},
    {"tg", QT_TRANSLATE_NOOP("CalcCompleter", "Tangent"), East},
    {"cot", QT_TRANSLATE_NOOP("CalcCompleter", "Cotangent"), West},
    {"ctg", QT_TRANSLATE_NOOP("CalcCompleter", "Cotangent"), East},
    {"sec", QT_TRANSLATE_NOOP("CalcCompleter", "Secant"), Both},
    {"csc", QT_TRANSLATE_NOOP("CalcCompleter", "Cosecant"), West},
    {"cosec", QT_TRANSLATE_NOOP("CalcCompleter", "Cosecant"), East},
    {"arcsin", QT_TRANSLATE_NOOP("CalcCompleter", "Arcsine"), Both},
    {"asin", QT_TRANSLATE_NOOP("CalcCompleter", "Arcsine"), Other},
    {"arccos", QT_TRANSLATE_NOOP("CalcCompleter", "Arccosine"), Both},
    {"acos", QT_TRANSLATE_NOOP("CalcCompleter", "Arccosine"), Other},
    {"arctan", QT_TRANSLATE_NOOP("CalcCompleter", "Arctangent"), West},
    {"arctg", QT_TRANSLATE_NOOP("CalcCompleter", "Arctangent"), East},
    {"atan", QT_TRANSLATE_NOOP("CalcCompleter", "Arctangent"), Other},
    {"arccot", QT_TRANSLATE_NOOP("CalcCompleter", "Arccotangent"), West},
    {"arcctg", QT_TRANSLATE_NOOP("CalcCompleter", "Arccotangent"), East},
    {"arcsec", QT_TRANSLATE_NOOP("CalcCompleter", "Arcsecant"), Both},
    {"arccsc", QT_TRANSLATE_NOOP("CalcCompleter", "Arccosecant"), West},
    {"arccosec", QT_TRANSLATE_NOOP("CalcCompleter", "Arccosecant"), East},
    {"sinh", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic sine"), West},
    {"sh", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic sine"), East},
    {"cosh", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic cosine"), West},
    {"ch", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic cosine"), East},
    {"tanh", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic tangent"), West},
    {"th", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic tangent"), East},
    {"coth", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic cotangent"), West},
    {"cth", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic cotangent"), East},
    {"sech", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic secant"), Both},
    {"csch", QT_TRANSLATE_NOOP("CalcCompleter", "Hyperbolic cosecant"), Both},
    {"arsinh", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic sine"), West},
    {"arsh", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic sine"), East},
    {"arcosh", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic cosine"), West},
    {"arch", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic cosine"), East},
    {"artanh", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic tangent"), West},
    {"arth", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic tangent"), East},
    {"arcoth", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic cotangent"), West},
    {"arcth", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic cotangent"), East},
    {"arsech", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic secant"), West},
    {"arsch", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic secant"), East},
    {"arcsch", QT_TRANSLATE_NOOP("CalcCompleter", "Archyperbolic cosecant"), Both},
    {"pi", QT_TRANSLATE_NOOP("CalcCompleter", "The number pi"), Constant},
    {"rslt", QT_TRANSLATE_NOOP("CalcCompleter", "The last result"), Constant},
    {"result", QT_TRANSLATE_NOOP("CalcCompleter", "The last result"), Constant},
    {"mem", QT_TRANSLATE_NOOP("CalcCompleter", "A memory cell"), MemoryWord},
    {"memory", QT_TRANSLATE_NOOP("CalcCompleter", "A memory cell"), MemoryWord},
};

QString Translated(const char* text) { return QCoreApplication::translate("CalcCompleter", text); }

QString DisplayOf(const Entry& entry) {
    QString line =
        QLatin1String(entry.name) + QStringLiteral(" \u2014 ") + Translated(entry.description);
    switch (entry.tradition) {
        case West:
            return line + QStringLiteral(" (") +
                   Translated(QT_TRANSLATE_NOOP("CalcCompleter", "West")) + QLatin1Char(')');
        case East:
            return line + QStringLiteral(" (") +
                   Translated(QT_TRANSLATE_NOOP("CalcCompleter", "East")) + QLatin1Char(')');
        default:
            return line;
    }
}

bool IsLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsOpenBracket(QChar c) { return c == u'(' || c == u'[' || c == u'{'; }
bool IsCloseBracket(QChar c) { return c == u')' || c == u']' || c == u'}'; }

QChar Closing(QChar open) {
    return open == u'(' ? QChar(u')') : open == u'{' ? QChar(u'}') : QChar(u']');
}

// The memory reference the caret stands in: the bracket's index, or -1.
qsizetype MemoryBracket(QStringView before) {
    for (qsizetype i = before.size(); i-- > 0;) {
        const QChar c = before[i];
        if (IsCloseBracket(c) || c == u';' || c == u'=' || c == u'\n' || c == QChar::LineSeparator)
            return -1;
        if (!IsOpenBracket(c)) continue;
        qsizetype k = i;
        while (k > 0 && (before[k - 1] == u' ' || before[k - 1] == u'\t')) --k;
        const QStringView word = before.left(k);
        for (const QStringView name : {QStringView(u"memory"), QStringView(u"mem")}) {
            if (!word.endsWith(name)) continue;
            const qsizetype start = word.size() - name.size();
            if (start == 0 || !IsLetter(word[start - 1])) return i;
        }
        return -1;
    }
    return -1;
}

}  // namespace

QList<CalcCompleter::Offer> CalcCompleter::OffersFor(QStringView before, QStringView after,
                                                     bool asked, int& typed) {
    QList<Offer> offers;
    typed = 0;
    const qsizetype bracket = MemoryBracket(before);
    if (bracket >= 0) {
        QStringView part = before.mid(bracket + 1);
        while (!part.isEmpty() && (part.front() == u' ' || part.front() == u'\t'))
            part = part.mid(1);
        typed = static_cast<int>(part.size());
        const bool closed = !after.trimmed().isEmpty() && IsCloseBracket(after.trimmed().front());
        const QChar close = Closing(before[bracket]);
        for (const auto& [key, cell] : NCalculatorText::MemoryStore::Instance()) {
            const QString name = QStringFromU16(key);
            if (!name.startsWith(part) || name.isEmpty()) continue;
            offers.append({name, closed ? name : name + close,
                           name + QStringLiteral(" = ") +
                               QStringFromU16(NCalculatorText::FormatResult(cell.value))});
        }
        return offers;
    }
    qsizetype start = before.size();
    while (start > 0 && IsLetter(before[start - 1])) --start;
    const QStringView word = before.mid(start);
    if (word.size() < 2 && !asked) return offers;
    typed = static_cast<int>(word.size());
    const bool groupFollows = !after.isEmpty() && IsOpenBracket(after.front());
    for (const Entry& entry : kEntries) {
        const QString name = QLatin1String(entry.name);
        if (!name.startsWith(word)) continue;
        QString insert = name;
        if (!groupFollows && entry.tradition == MemoryWord)
            insert += QLatin1Char('[');
        else if (!groupFollows && entry.tradition != Constant)
            insert += QLatin1Char('(');
        offers.append({name, insert, DisplayOf(entry)});
    }
    // A word already complete and alone needs no list.
    if (!asked && offers.size() == 1 && offers.front().name == word) offers.clear();
    return offers;
}

CalcCompleter::CalcCompleter(CCalcView* view)
    : QObject(view),
      view_(view),
      model_(new QStandardItemModel(this)),
      completer_(new QCompleter(model_, this)) {
    completer_->setWidget(view_);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setCaseSensitivity(Qt::CaseSensitive);
    completer_->setMaxVisibleItems(10);
    completer_->popup()->setObjectName(QStringLiteral("CompletionList"));
    connect(completer_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { Accept(index.row()); });
    view_->SetKeyHandler(this);
}

// The view, its parent, holds a pointer to it only while both live.
CalcCompleter::~CalcCompleter() = default;

bool CalcCompleter::IsOpen() const { return completer_->popup()->isVisible(); }

void CalcCompleter::Close() {
    if (IsOpen()) completer_->popup()->hide();
}

void CalcCompleter::Open(bool asked) {
    const QTextCursor caret = view_->textCursor();
    if (caret.hasSelection()) {
        Close();
        return;
    }
    const QTextBlock block = caret.block();
    const int column = caret.positionInBlock();
    // Only the stretch near the caret matters, however long the line.
    const int from = std::max(0, column - 256);
    QTextCursor around(block);
    around.setPosition(block.position() + from);
    around.setPosition(
        std::min(block.position() + column + 16, block.position() + block.length() - 1),
        QTextCursor::KeepAnchor);
    const QString near = around.selectedText();
    const QStringView before = QStringView(near).left(column - from);
    const QStringView after = QStringView(near).mid(column - from);
    const QList<Offer> offers = OffersFor(before, after, asked, typed_);
    if (offers.isEmpty()) {
        Close();
        return;
    }
    model_->clear();
    for (const Offer& offer : offers) {
        auto* item = new QStandardItem(offer.display);
        item->setData(offer.insert, kInsertRole);
        item->setData(offer.name, kNameRole);
        item->setEditable(false);
        model_->appendRow(item);
    }
    QRect rect = view_->cursorRect();
    QAbstractItemView* list = completer_->popup();
    rect.setWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 8);
    completer_->complete(rect);
    // Nothing chosen until the user moves: Enter alone breaks the line.
    list->setCurrentIndex(QModelIndex());
    list->selectionModel()->clearSelection();
}

void CalcCompleter::Accept(int row) {
    if (row < 0 || row >= model_->rowCount()) return;
    const QString insert = model_->item(row)->data(kInsertRole).toString();
    Close();
    QTextCursor cursor = view_->textCursor();
    cursor.clearSelection();
    if (view_->TextLength() - typed_ + insert.size() > kEditorTextLimit) {
        QApplication::beep();
        return;
    }
    cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, typed_);
    cursor.insertText(insert);
    view_->setTextCursor(cursor);
}

bool CalcCompleter::BeforeKey(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        Open(true);
        return true;
    }
    if (!IsOpen()) return false;
    const QModelIndex current = completer_->popup()->currentIndex();
    switch (key) {
        case Qt::Key_Escape:
            Close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (current.isValid()) {
                Accept(current.row());
                return true;
            }
            Close();
            return false;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            Accept(current.isValid() ? current.row() : 0);
            return true;
        default:
            return false;
    }
}

void CalcCompleter::AfterKey(QKeyEvent* event) {
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.front().isPrint() &&
                       !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    const bool erased = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    // What is offered depends on the text before the caret: a name being
    // typed, or the inside of a memory reference.
    if (typed || (erased && IsOpen())) {
        Open(false);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_Meta:
            return;
        default:
            // The caret moved elsewhere.
            Close();
    }
}
