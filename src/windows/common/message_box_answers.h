// Answers the next message boxes without showing them, for tests of windows that ask questions.
// While the guard lives every dwMessageBox call is recorded and answered from the list, in order;
// once the list is used up the boxes answer MessageResult::None. Guards nest; the innermost answers.
#pragma once

#include "app/message_box_buttons.h"

#include <QList>
#include <QString>

class MessageBoxAnswers
{
public:
    struct Asked
    {
        QString prompt;
        int style = 0; // as the caller passed it, before normalisation
        QString title;
    };

    explicit MessageBoxAnswers(QList<int> answers = {});
    ~MessageBoxAnswers();
    MessageBoxAnswers(const MessageBoxAnswers &) = delete;
    MessageBoxAnswers &operator=(const MessageBoxAnswers &) = delete;

    const QList<Asked> &asked() const { return m_asked; }
    qsizetype unused() const { return m_answers.size(); }

    // The guard that answers now, or null when boxes are shown.
    static MessageBoxAnswers *current();
    int take(const QString &prompt, int style, const QString &title);

private:
    QList<int> m_answers;
    QList<Asked> m_asked;
    MessageBoxAnswers *m_previous = nullptr;
};
