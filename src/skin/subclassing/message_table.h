// The message tables of the subclassing facility: which events of a window a control wants
// to see before, or after, the window handles them.
#pragma once

#include <QList>

namespace skin {

// A message is a QEvent::Type; -1 stands for every message.
constexpr int ALL_MESSAGES = -1;
constexpr int MSG_ENTRIES = 32;

// Bits of the "when" argument of sc_AddMsg / sc_DelMsg.
constexpr int MSG_BEFORE = 1;
constexpr int MSG_AFTER = 2;

// A count and message numbers; count -1 means every message, entry 0 is a free slot.
class MessageTable
{
public:
    // capacity < 0: the table grows as needed.
    explicit MessageTable(int capacity = MSG_ENTRIES) : m_capacity(capacity) {}

    enum class AddResult { Added, Present, Overflow };
    AddResult add(int message);
    // False when the message is not in the table (nothing changes then).
    bool remove(int message);

    int count() const { return m_count; }
    const QList<int> &entries() const { return m_entries; }
    bool matches(int message) const;
    void clear() { m_count = 0, m_entries.clear(); }
    int capacity() const { return m_capacity; }

private:
    int m_capacity;
    int m_count = 0;
    QList<int> m_entries; // entries 1..count, stored from index 0
};

} // namespace skin
