#include "MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "StringIds.h"

namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

// Stand-in for the program's own message dialog: caption, kind icon, up to
// two centred lines, a centred row of equally wide buttons.
class CPlainMessageDialog : public QDialog {
public:
    CPlainMessageDialog(const QString& text, unsigned type, QWidget* parent) : QDialog(parent) {
        const MessageKind kind = MessageKindOf(type);
        setWindowTitle(LoadString(MessageCaptionId(kind)));
        setModal(true);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(36, 24, 36, 21);
        layout->setSpacing(12);

        QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxInformation;
        switch (kind) {
            case MessageKind::Stops:
                pixmap = QStyle::SP_MessageBoxCritical;
                break;
            case MessageKind::Asks:
                pixmap = QStyle::SP_MessageBoxQuestion;
                break;
            case MessageKind::Warns:
                pixmap = QStyle::SP_MessageBoxWarning;
                break;
            case MessageKind::Informs:
                break;
        }
        auto* image = new QLabel(this);
        image->setPixmap(style()->standardIcon(pixmap).pixmap(48, 48));
        image->setAlignment(Qt::AlignCenter);
        layout->addWidget(image);

        const auto lines = MessageLines(text);
        AddLine(layout, lines.first);
        if (text.contains(QLatin1Char('\n'))) AddLine(layout, lines.second);

        auto* row = new QHBoxLayout;
        row->setSpacing(18);
        row->addStretch();
        const QVector<MessageButton> buttons = MessageButtonsOf(type);
        const int defaultIndex = MessageDefaultButton(type);
        QVector<QPushButton*> made;
        int widest = 0;
        for (int i = 0; i < buttons.size(); ++i) {
            auto* button = new QPushButton(LoadString(buttons[i].captionId), this);
            const int result = buttons[i].result;
            connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
            widest = qMax(widest, button->sizeHint().width());
            made.push_back(button);
            row->addWidget(button);
        }
        for (int i = 0; i < made.size(); ++i) {
            made[i]->setFixedWidth(widest);
            made[i]->setAutoDefault(false);
            made[i]->setDefault(i == defaultIndex);
        }
        row->addStretch();
        layout->addLayout(row);
        if (defaultIndex < made.size()) made[defaultIndex]->setFocus();
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

    void AddLine(QVBoxLayout* layout, const QString& line) {
        auto* label = new QLabel(line, this);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }

    // Esc and the close button answer Cancel whatever the buttons are.
    void reject() override { done(IDCANCEL); }
};

}  // namespace

MessageKind MessageKindOf(unsigned type) {
    MessageKind kind = MessageKind::Informs;
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            kind = MessageKind::Stops;
            break;
        case MB_ICONQUESTION:
            kind = MessageKind::Asks;
            break;
        case MB_ICONEXCLAMATION:
            kind = MessageKind::Warns;
            break;
        default:
            break;
    }
    const unsigned buttons = type & MB_TYPEMASK;
    if (kind == MessageKind::Informs && (buttons == MB_YESNO || buttons == MB_YESNOCANCEL))
        kind = MessageKind::Asks;
    return kind;
}

int MessageCaptionId(MessageKind kind) {
    switch (kind) {
        case MessageKind::Stops:
            return StringId::CaptionStops;
        case MessageKind::Asks:
            return StringId::CaptionAsks;
        case MessageKind::Warns:
            return StringId::CaptionWarns;
        case MessageKind::Informs:
            break;
    }
    return StringId::CaptionInforms;
}

QVector<MessageButton> MessageButtonsOf(unsigned type) {
    using namespace StringId;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{ButtonOk, IDOK}, {ButtonCancel, IDCANCEL}};
        case MB_ABORTRETRYIGNORE:
            return {{ButtonAbort, IDABORT}, {ButtonRetry, IDRETRY}, {ButtonIgnore, IDIGNORE}};
        case MB_YESNOCANCEL:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}, {ButtonCancel, IDCANCEL}};
        case MB_YESNO:
            return {{ButtonYes, IDYES}, {ButtonNo, IDNO}};
        case MB_RETRYCANCEL:
            return {{ButtonRetry, IDRETRY}, {ButtonCancel, IDCANCEL}};
        case MB_CANCELTRYCONTINUE:
            return {{ButtonCancel, IDCANCEL},
                    {ButtonTryAgain, IDTRYAGAIN},
                    {ButtonContinue, IDCONTINUE}};
        default:
            return {{ButtonClose, IDOK}};
    }
}

int MessageDefaultButton(unsigned type) {
    const int index = static_cast<int>((type & MB_DEFMASK) >> 8);
    return index < MessageButtonsOf(type).size() ? index : 0;
}

unsigned MessageHelpId(unsigned promptId) { return promptId != 0 ? 0x10000u + promptId : 128u; }

QPair<QString, QString> MessageLines(const QString& text) {
    const qsizetype first = text.indexOf(QLatin1Char('\n'));
    if (first < 0) return {text, QString()};
    const qsizetype second = text.indexOf(QLatin1Char('\n'), first + 1);
    return {text.left(first),
            second < 0 ? text.mid(first + 1) : text.mid(first + 1, second - first - 1)};
}

int AppMessageBox(const QString& text, unsigned type, unsigned helpContext) {
    if (Handler()) return Handler()(text, type, helpContext);
    QApplication::beep();
    QWidget* owner = QApplication::activeWindow();
    CPlainMessageDialog dialog(text, type, owner);
    dialog.setProperty("helpId", MessageHelpId(helpContext));
    return dialog.exec();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}
