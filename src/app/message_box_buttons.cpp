#include "app/message_box_buttons.h"

int normaliseMessageStyle(int style)
{
    if (style >= 16 && style <= 79)
        return style % 16;
    return style;
}

QList<MessageButton> messageButtons(int style)
{
    const MessageButton ok{QStringLiteral("OK"), MessageResult::Ok};
    const MessageButton cancel{QStringLiteral("Cancel"), MessageResult::Cancel};
    const MessageButton ignore{QStringLiteral("Ignore"), MessageResult::Ignore};
    const MessageButton yes{QStringLiteral("Yes"), MessageResult::Yes};
    const MessageButton no{QStringLiteral("No"), MessageResult::No};
    switch (style) {
    case 0:
        return {ok};
    case 1:
        return {ok, cancel};
    case 2:
        return {ok, ignore};
    case 3:
        return {yes, no};
    case 4:
        return {yes, no, cancel};
    default:
        return {};
    }
}

QList<int> centredRowLefts(int outerWidth, const QList<int> &widths, int gap)
{
    QList<int> lefts;
    if (widths.isEmpty())
        return lefts;
    int total = gap * int(widths.size() - 1);
    for (int w : widths)
        total += w;
    int left = (outerWidth - total) / 2;
    for (int w : widths) {
        lefts.append(left);
        left += w + gap;
    }
    return lefts;
}
