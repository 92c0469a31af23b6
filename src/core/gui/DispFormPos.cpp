#include "DispFormPos.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void DispFormPos(QWidget* window, int mode) {
    if (!window) return;
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    QSize size = window->size();
    if (mode == 0) {
        size = QSize(area.width() * 85 / 100, area.height() * 85 / 100).expandedTo(window->minimumSize());
    } else if (mode == 2) {
        size = QSize(area.width() * 95 / 100, area.height() * 92 / 100).expandedTo(window->minimumSize());
    } else {
        size = window->sizeHint().expandedTo(window->size()).expandedTo(window->minimumSize());
    }
    size = size.boundedTo(area.size());
    window->resize(size);
    const QWidget* anchor = mode == 1 ? window->parentWidget() : nullptr;
    const QRect around = anchor && anchor->isVisible() ? anchor->frameGeometry() : area;
    QRect frame(QPoint(), size);
    frame.moveCenter(around.center());
    frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - size.width())));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    window->move(frame.topLeft());
}
