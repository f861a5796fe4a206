// SPDX-License-Identifier: MIT
// Leans on Qt: on X11 a window learns the size of the frame its window manager
// puts round it only once the manager has framed it. showEvent() comes before
// the window is even mapped, and a zero timer queued there still fires before
// the manager has answered, so both centre the window alone and leave the
// frame off centre by half its title bar. The window's first Expose event
// comes once the manager has framed and mapped it, and QWidget::frameGeometry()
// asks the platform for the frame again for as long as it has found none.
// Other platforms (windows, offscreen) know the frame at once, and the second
// centring finds the window where the first put it. Checked with Qt 6.4.2 on
// Xvfb under openbox; tst_windowchrome_x11 finds the frame off centre if Qt
// stops behaving so.
#include "widgetkit/ScreenCentre.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

void centreFrame(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    // A window's position is that of its frame.
    window->move(frame.topLeft());
}

// Centres the window once more when it is first exposed, then goes.
class CentreWhenExposed : public QObject
{
public:
    CentreWhenExposed(QWidget *window, QWindow *handle)
        : QObject(window)
        , window_(window)
    {
        handle->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            centreFrame(window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *window_;
};

} // namespace

void centreOnScreen(QWidget *window)
{
    centreFrame(window);
    if (QWindow *handle = window->windowHandle())
        new CentreWhenExposed(window, handle);
}
