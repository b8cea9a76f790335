#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

// Answers the next modal box while it lives: presses the button whose caption (ampersands left
// out) is the given one, or Escape when the caption is empty. It only looks for the box, so it
// works with whichever box the program shows.
class ModalAnswer
{
public:
    explicit ModalAnswer(const QString &caption) : m_caption(caption)
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { answer(); });
        m_poll.start();
    }

    bool shown() const { return m_shown; }
    // Every label's text in the box, joined by newlines.
    QString text() const { return m_text; }

private:
    void answer()
    {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        m_poll.stop();
        m_shown = true;
        for (QLabel *label : box->findChildren<QLabel *>())
            m_text += label->text() + '\n';
        if (m_caption.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Escape);
            return;
        }
        for (QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
            if (button->isVisible() && button->text().remove('&') == m_caption) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        ADD_FAILURE() << "no button " << m_caption.toStdString();
        box->close();
    }

    QString m_caption;
    QTimer m_poll;
    bool m_shown = false;
    QString m_text;
};
