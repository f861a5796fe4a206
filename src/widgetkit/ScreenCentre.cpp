// SPDX-License-Identifier: MIT
// Leans on Qt: on X11 a window learns the size of the frame its window manager
// puts round it only once the manager has framed it. showEvent() comes before
// the window is even mapped, and a zero timer queued there still fires before
// the manager has answered, so both centre the window alone and leave the
// frame off centre by half its title bar. The window's first Expose event
// comes once the manager has framed and mapped it; QWindow::frameGeometry()
// then asks the platform for the frame, where QWidget::frameGeometry() may
// still give a frame it read too early, or none. Other platforms (windows,
// offscreen) know the frame at once, and the second centring finds the window
// where the first put it. Checked with Qt 6.4.2 on Xvfb under openbox;
// tst_windowchrome_x11 finds the frame off centre if Qt stops behaving so.
#include "widgetkit/ScreenCentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// Where a frame's top-left corner goes for the frame to lie centred on the
// available area of the screen; the frame's own when there is no screen.
QPoint centredFrameCorner(QRect frame, const QScreen *screen)
{
    if (screen)
        frame.moveCenter(screen->availableGeometry().center());
    return frame.topLeft();
}

// Centres the window once more when it is first exposed, then goes.
class CentreWhenExposed : public QObject
{
public:
    explicit CentreWhenExposed(QWindow *window)
        : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window->isExposed()) {
            window->removeEventFilter(this);
            window->setFramePosition(centredFrameCorner(window->frameGeometry(), window->screen()));
            deleteLater();
        }
        return false;
    }
};

} // namespace

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    // A window's position is that of its frame.
    window->move(centredFrameCorner(window->frameGeometry(), screen));
    if (QWindow *handle = window->windowHandle())
        new CentreWhenExposed(handle);
}
