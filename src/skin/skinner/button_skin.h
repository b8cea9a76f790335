// A skinned push button: four state images painted once per size and text (normal, hot,
// pressed, disabled) from the skin's face cells, and the fade between them. The fade blends
// the target state's image over what the button shows, 3 steps of alpha per 15 ms tick,
// so a fade from 0 reaches full strength on its 86th tick, and then stops its timer.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <array>

class QPainter;

namespace skin {

struct SkinImages;

class ButtonSkin
{
public:
    enum State { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };
    static constexpr int kFadeInterval = 15; // ms
    static constexpr int kAlphaStep = 3;

    ButtonSkin(QPushButton *button, const SkinImages &images);

    // The image the button shows now; the state images are painted again first when the
    // button's size, text or font changed.
    void paint(QPainter &p);

    // The transitions.
    void enter();
    void press();
    void release();
    void leave();
    void enabledChanged(bool enabled);
    void refocus();
    // One tick of the fade timer.
    void fadeStep();

    State state() const { return m_state; }
    int alpha() const { return m_alpha; }
    bool isFading() const { return m_timer.isActive(); }
    const QImage &stateImage(State s) const { return m_images[s]; }
    const QImage &shownImage() const { return m_shown; }

private:
    bool isStale() const;
    void render();
    void startFade();
    void stopFade();
    void blend(State s, int alpha);

    QPointer<QPushButton> m_button;
    const SkinImages &m_skin;
    std::array<QImage, 4> m_images;
    QImage m_shown;
    State m_state = Normal;
    int m_alpha = 0;
    QTimer m_timer;
    QSize m_size;
    QString m_text;
    QFont m_font;
};

} // namespace skin
