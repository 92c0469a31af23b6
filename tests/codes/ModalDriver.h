#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Drives a modal window a test has started with exec(): once the window named
// `objectName` is the active modal window, `step` runs on it. A window the step
// left open (a failed check returns early) is closed, so a failing test never hangs.
inline void whenModal(const QString& objectName, std::function<void(QWidget*)> step, int triesLeft = 500) {
    QTimer::singleShot(triesLeft == 500 ? 0 : 10, [=] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w->objectName() == objectName) {
            QPointer<QWidget> window(w);
            step(w);
            if (window && window->isVisible()) window->close();
            return;
        }
        if (triesLeft > 0) whenModal(objectName, step, triesLeft - 1);
    });
}
