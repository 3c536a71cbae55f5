#include "app/Placement.h"

#include <QScreen>
#include <QWidget>

namespace Placement {

QRect Area(const QWidget* window, const QWidget* owner) {
    constexpr Qt::WindowStates ScreenSized =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (owner && owner->isVisible() && !(owner->windowState() & ScreenSized)) {
        return owner->frameGeometry();
    }
    const QScreen* screen = owner ? owner->screen() : window->screen();
    return screen ? screen->availableGeometry() : QRect();
}

void Centre(QWidget* window, const QWidget* owner) {
    const QRect area = Area(window, owner);
    if (area.isValid()) {
        window->move(area.center() - QRect(QPoint(), window->frameGeometry().size()).center());
    }
}

} // namespace Placement
