#include "GuiMessageService.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
QWidget* dialogParent() { return QApplication::activeWindow(); }
const QString kTitle = QStringLiteral("系统提示");
}  // namespace

int GuiMessageService::show(const QString& text, int kind) {
    switch (kind) {
        case Question: {
            QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, dialogParent());
            QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
            box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
            box.setDefaultButton(yes);
            box.exec();
            return box.clickedButton() == yes ? Yes : No;
        }
        case Warning: QMessageBox::warning(dialogParent(), kTitle, text); return 0;
        case Error: QMessageBox::critical(dialogParent(), kTitle, text); return 0;
        default: QMessageBox::information(dialogParent(), kTitle, text); return 0;
    }
}

QString GuiMessageService::chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) {
    return QFileDialog::getOpenFileName(dialogParent(), title, startDir, filter);
}

QString GuiMessageService::chooseSaveFile(const QString& title, const QString& suggestedPath, const QString& filter) {
    return QFileDialog::getSaveFileName(dialogParent(), title, suggestedPath, filter);
}

QString GuiMessageService::chooseFolder(const QString& title, const QString& startDir) {
    return QFileDialog::getExistingDirectory(dialogParent(), title, startDir);
}

std::optional<QString> GuiMessageService::askText(const QString& title, const QString& label, bool password) {
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), title, label,
                                               password ? QLineEdit::Password : QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return text;
}
