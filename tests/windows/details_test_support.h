#pragma once

#include "core/detail_target.h"
#include "core/package_list.h"
#include "inspect/package_reader.h"
#include "platform/program_folder.h"
#include "rename/name_rule.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Puts the active naming rule back when it goes.
class ActiveRuleGuard
{
public:
    explicit ActiveRuleGuard(const QString &rule) : m_previous(NameRule::active())
    {
        NameRule::setActive(rule);
    }
    ~ActiveRuleGuard() { NameRule::setActive(m_previous); }
    ActiveRuleGuard(const ActiveRuleGuard &) = delete;
    ActiveRuleGuard &operator=(const ActiveRuleGuard &) = delete;

private:
    QString m_previous;
};

// A program folder holding the built tools with scratch files of its own, a folder of package
// copies (renames never touch the committed fixtures) and a list with one row per copy.
class DetailsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(scratch.isValid() && files.isValid());
        folderOverride.emplace(TAVREL_PROGRAM_DIR, scratch.path());
        reader.emplace(1);
        folder = files.path() + "/";
    }

    // Has the window read its package and waits until it has filled its fields.
    template <class W> static bool loaded(W &window)
    {
        if constexpr (requires { window.load(); })
            window.load();
        return QTest::qWaitFor([&] { return window.isLoaded(); }, 60000);
    }

    // Copies a fixture ("apk/x.apk") into the folder and appends its row; the target of that row.
    DetailTarget add(const QString &fixture, const QString &asName = QString())
    {
        const QString name = asName.isEmpty() ? fixture.section('/', -1) : asName;
        EXPECT_TRUE(QFile::copy(QStringLiteral(TAVREL_FIXTURES_DIR "/") + fixture, folder + name));
        return {folder, name, list.append(folder, name)};
    }

    QTemporaryDir scratch;
    QTemporaryDir files;
    std::optional<ProgramFolder::ScopedOverride> folderOverride;
    std::optional<PackageReader> reader;
    QString folder;
    PackageList list;
};

// Runs trigger, which shows a modal window and waits for it; meanwhile act gets the first visible
// top-level widget of type W that was not there before. Returns whether one appeared.
template <class W> bool onModal(const std::function<void()> &trigger, const std::function<void(W *)> &act)
{
    const QWidgetList before = QApplication::topLevelWidgets();
    bool seen = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *wanted = qobject_cast<W *>(w);
            if (!wanted || !w->isVisible() || before.contains(w) || seen)
                continue;
            seen = true;
            poll.stop();
            act(wanted);
            return;
        }
    });
    poll.start();
    trigger();
    poll.stop();
    return seen;
}

// As onModal, and the window is closed once inspect has looked at it.
template <class W>
bool whileModal(const std::function<void()> &trigger, const std::function<void(W *)> &inspect)
{
    return onModal<W>(trigger, [&](W *w) {
        inspect(w);
        w->close();
    });
}
