#pragma once

#include "MessageService.h"

// Messages and prompts as dialog boxes: a box per kind (information, yes/no
// question, warning, error) and the standard file, folder and text prompts.
class GuiMessageService : public MessageService {
public:
    int show(const QString& text, int kind) override;
    QString chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& suggestedPath, const QString& filter) override;
    QString chooseFolder(const QString& title, const QString& startDir) override;
    std::optional<QString> askText(const QString& title, const QString& label, bool password) override;
};
