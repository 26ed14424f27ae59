// Questions answered by script: every question is recorded (text, type and
// help) and answered from a queue, IDCANCEL once the queue is empty.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>

#include "shell/core/MessageBox.h"
#include "toolkit/MessageBoxTypes.h"

struct AskedQuestion {
    QString text;
    unsigned type;
    unsigned help;
};

class ScriptedAnswers {
    // Shared with the answering functions handed out, so a function stays
    // valid when it outlives the script (ScriptedAnswers().Function()).
    struct State {
        QList<AskedQuestion> asked;
        QList<int> answers;
    };

public:
    using Answerer = std::function<int(const QString& text, unsigned type, unsigned help)>;

    explicit ScriptedAnswers(QList<int> queued = {})
        : state_(std::make_shared<State>(State{{}, std::move(queued)})),
          asked(state_->asked),
          answers(state_->answers) {}
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    // Converts to a PanelAsk or a MessageBoxHandler.
    Answerer Function() const {
        return [state = state_](const QString& text, unsigned type, unsigned help) {
            state->asked.append({text, type, help});
            return state->answers.isEmpty() ? IDCANCEL : state->answers.takeFirst();
        };
    }

    QStringList Texts() const {
        QStringList texts;
        for (const AskedQuestion& question : asked) texts.append(question.text);
        return texts;
    }

private:
    std::shared_ptr<State> state_;

public:
    QList<AskedQuestion>& asked;
    QList<int>& answers;
};

// Answers the program's message boxes while it lives.
class ScriptedMessages : public ScriptedAnswers {
public:
    explicit ScriptedMessages(QList<int> queued = {})
        : ScriptedAnswers(std::move(queued)), previous_(SetMessageBoxHandler(Function())) {}
    ~ScriptedMessages() { SetMessageBoxHandler(std::move(previous_)); }

private:
    MessageBoxHandler previous_;
};
