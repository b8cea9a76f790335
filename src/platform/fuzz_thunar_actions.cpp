// libFuzzer entry for the uca.xml edit: whatever the file holds, adding our action and taking it
// away again never loses or changes a byte of the user's, and a file we cannot parse is left alone.
#include "platform/thunar_actions.h"

#include <cstdlib>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace ThunarActions;
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));
    const Layout layout = layoutOf(file);
    const QByteArray users = withoutAction(file);
    if (!layout.valid) {
        check(users == file);
        QByteArray added;
        check(!withAction(file, QStringLiteral("/usr/bin/tavrel"), &added));
        return 0;
    }
    // What is cut out is ours alone, and all of ours.
    check(!holdsAction(users));

    QByteArray added;
    check(withAction(file, QStringLiteral("/opt/100%F/it's \"x\"/tavrel"), &added));
    check(holdsAction(added));
    QByteArray expected = users;
    const Layout usersLayout = layoutOf(users);
    check(usersLayout.valid);
    if (usersLayout.insertAt < 0) // an empty <actions/> is opened to take ours
        expected.replace(usersLayout.actionsBegin, usersLayout.actionsEnd - usersLayout.actionsBegin,
                         "<actions>\n</actions>");
    check(withoutAction(added) == expected);

    // A file we make from the bytes is ours to take away again only while it is as we made it.
    QByteArray made;
    if (layout.ours.isEmpty() && madeFrom(file, QStringLiteral("/usr/bin/tavrel"), &made)) {
        check(onlyOursAdded(made) == (usersLayout.insertAt >= 0));
        check(withoutAction(made) == (usersLayout.insertAt >= 0 ? file : expected));
    }
    return 0;
}
