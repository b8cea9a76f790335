#include "skin/subclassing/message_table.h"

namespace skin {

MessageTable::AddResult MessageTable::add(int message)
{
    if (message == ALL_MESSAGES) {
        m_count = ALL_MESSAGES;
        m_entries.clear();
        return AddResult::Added;
    }
    if (m_count == ALL_MESSAGES) {
        // A table for every message becomes a table for this one message.
        m_count = 0;
        m_entries.clear();
    }
    // A free slot or the message itself is looked for first, so that a full table still
    // takes a message into a freed slot and does not call a repeated message an overflow.
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i] == 0) {
            m_entries[i] = message;
            return AddResult::Added;
        }
        if (m_entries[i] == message)
            return AddResult::Present;
    }
    if (m_capacity >= 0 && m_count >= m_capacity)
        return AddResult::Overflow;
    m_entries.append(message);
    ++m_count;
    return AddResult::Added;
}

bool MessageTable::remove(int message)
{
    if (message == ALL_MESSAGES) {
        clear();
        return true;
    }
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i] == message) {
            m_entries[i] = 0;
            return true;
        }
    }
    return false;
}

bool MessageTable::matches(int message) const
{
    if (m_count == ALL_MESSAGES)
        return true;
    return message != 0 && m_entries.contains(message);
}

} // namespace skin
