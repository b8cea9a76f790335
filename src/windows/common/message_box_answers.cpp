#include "windows/common/message_box_answers.h"

namespace {
MessageBoxAnswers *g_current = nullptr;
}

MessageBoxAnswers::MessageBoxAnswers(QList<int> answers)
    : m_answers(std::move(answers)), m_previous(g_current)
{
    g_current = this;
}

MessageBoxAnswers::~MessageBoxAnswers()
{
    g_current = m_previous;
}

MessageBoxAnswers *MessageBoxAnswers::current()
{
    return g_current;
}

int MessageBoxAnswers::take(const QString &prompt, int style, const QString &title)
{
    m_asked.append({prompt, style, title});
    return m_answers.isEmpty() ? int(MessageResult::None) : m_answers.takeFirst();
}
