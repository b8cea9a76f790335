#include "windows/common/message_box.h"

#include "windows/common/message_box_answers.h"
#include "windows/common/message_box_window.h"

#include <QPointer>

int dwMessageBox(const QString &prompt, int &style, const QString &title, QWidget *owner)
{
    const int asked = style;
    style = normaliseMessageStyle(style);
    if (MessageBoxAnswers *answers = MessageBoxAnswers::current())
        return answers->take(prompt, asked, title);

    // Each call has a box of its own, so a box closed without a button press can only answer None,
    // never what an earlier box was answered. The owner may go while the box is up, taking it along.
    QPointer<ForMsgx> box = new ForMsgx(owner);
    box->prepare(prompt, style, title);
    box->exec();
    if (!box)
        return MessageResult::None;
    const int answer = box->answer();
    delete box;
    return answer;
}
