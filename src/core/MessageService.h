#pragma once

#include <QString>
#include <memory>
#include <optional>

// Every message, question and blocking prompt of the program goes through one
// replaceable service: the windows install the dialog-box service at start-up,
// tests install a scripted one, and a tool without windows keeps the console one.
class MessageService {
public:
    // Message kinds as the program uses them.
    enum Kind { Information = 0, Question = 1, Warning = 2, Error = 3 };
    enum Answer { Yes = 1, No = 2 };

    virtual ~MessageService() = default;

    // Shows the text; for Question returns Yes or No, otherwise the result is not used.
    virtual int show(const QString& text, int kind) = 0;
    // File and folder choosers return the empty text when the user cancels.
    virtual QString chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) = 0;
    virtual QString chooseSaveFile(const QString& title, const QString& suggestedPath,
                                   const QString& filter) = 0;
    virtual QString chooseFolder(const QString& title, const QString& startDir) = 0;
    // A one-line text prompt; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& label, bool password) = 0;
};

// The installed service; a console service until another is installed.
MessageService& messageService();
// Installs a service and returns the previous one, so tests can put it back.
std::unique_ptr<MessageService> installMessageService(std::unique_ptr<MessageService> service);

// The helper-library name the windows call.
int ShowMess(const QString& text, int kind);
