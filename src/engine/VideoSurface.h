#pragma once

// The native child window the video sink draws into. Qt must never paint it (the sink owns
// its pixels), so it has no paint engine and no background; on paint and resize it asks the
// owner to have the sink redraw the current picture.

#include <QWidget>

#include <functional>

class VideoSurface : public QWidget
{
    Q_OBJECT
public:
    explicit VideoSurface(QWidget *parent = nullptr);
    ~VideoSurface() override;

    // Called whenever the picture needs drawing again (exposed, resized).
    void setExposeHandler(std::function<void()> handler) { m_onExpose = std::move(handler); }
    // Called first thing in the destructor, while the native window still exists, so that
    // whatever draws into it can let go before the window disappears.
    void setDestroyHandler(std::function<void()> handler) { m_onDestroy = std::move(handler); }

    QPaintEngine *paintEngine() const override { return nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::function<void()> m_onExpose;
    std::function<void()> m_onDestroy;
};
