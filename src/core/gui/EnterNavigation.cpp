#include "EnterNavigation.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

class EnterFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || qobject_cast<QTextEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) return false;
        if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->view()->isVisible()) return false;
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !button->isCheckable()) {
            button->click();
            return true;
        }
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &tab);
        return true;
    }
};

}  // namespace

void enterMovesFocus(QWidget* window) {
    auto* filter = new EnterFilter(window);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() & Qt::TabFocus) child->installEventFilter(filter);
    }
}
