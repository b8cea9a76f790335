// The frame's strips along the right and bottom edges of a sizable window: they show the
// resize pointer and pass the drag on to the frame.
#pragma once

#include "skin/frame/jcforms.h"

#include <QMouseEvent>
#include <QPainter>

namespace skin {

// A thin strip along the right or bottom edge by which the window is resized.
class ResizeStrip : public QWidget
{
public:
    ResizeStrip(jcForms *frame, bool right, QWidget *parent) : QWidget(parent), m_frame(frame), m_right(right)
    {
        setMouseTracking(true);
    }

    // The resize mode this point of the strip stands for.
    int modeAt(QPoint pos) const
    {
        QWidget *w = parentWidget();
        const int t = m_frame->titleHeight();
        if (m_right)
            return pos.y() > w->height() - t - 20 ? jcForms::ResizeBoth : jcForms::ResizeWidth;
        return w->width() - (x() + pos.x()) <= 15 ? jcForms::ResizeBoth : jcForms::ResizeHeight;
    }

protected:
    bool reacts() const { return m_frame->BorderStyle() == 1 && !m_frame->isMaximisedByFrame(); }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const ColourRef c = m_frame->darkColour();
        p.fillRect(rect(), qColour(c));
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        if (reacts() && e->button() == Qt::LeftButton)
            m_frame->setResizeMode(modeAt(e->position().toPoint()));
    }

    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (!reacts()) {
            unsetCursor();
            return;
        }
        if (m_frame->resizeMode() == jcForms::NoResize) {
            switch (modeAt(e->position().toPoint())) {
            case jcForms::ResizeBoth:
                setCursor(Qt::SizeFDiagCursor);
                break;
            case jcForms::ResizeWidth:
                setCursor(Qt::SizeHorCursor);
                break;
            default:
                setCursor(Qt::SizeVerCursor);
                break;
            }
            return;
        }
        m_frame->pointerMove(e->buttons(), e->modifiers(), mapTo(parentWidget(), e->position().toPoint()));
    }

    void mouseReleaseEvent(QMouseEvent *) override { m_frame->setResizeMode(jcForms::NoResize); }

private:
    jcForms *m_frame;
    bool m_right;
};

} // namespace skin
