#pragma once

#include <QList>
#include <QQueue>
#include <QString>

#include "MessageService.h"

// The message service of the tests: records every message and answers questions
// and prompts from queues filled by the test. A question or prompt nobody
// scripted fails the running test (and is declined), so no test ever blocks.
class ScriptedMessageService : public MessageService {
public:
    struct Message {
        QString text;
        int kind;
    };

    // Installs a fresh scripted service for the lifetime of the returned object.
    class Scope {
    public:
        Scope();
        ~Scope();
        ScriptedMessageService& operator*() const { return *service_; }
        ScriptedMessageService* operator->() const { return service_; }

    private:
        ScriptedMessageService* service_;
        std::unique_ptr<MessageService> previous_;
    };

    QList<Message> messages;
    QQueue<int> answers;                        // for kind 1 questions: 1 yes, 2 no
    QQueue<QString> files;                      // for file and folder choosers; "" cancels
    QQueue<std::optional<QString>> texts;       // for text prompts; nullopt cancels

    QStringList texts_of(int kind) const;
    QString last() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() { messages.clear(); }

    int show(const QString& text, int kind) override;
    QString chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) override;
    QString chooseSaveFile(const QString& title, const QString& suggestedPath, const QString& filter) override;
    QString chooseFolder(const QString& title, const QString& startDir) override;
    std::optional<QString> askText(const QString& title, const QString& label, bool password) override;

    // What the last file chooser was asked with.
    QString lastTitle, lastStartDir, lastFilter;

private:
    QString nextFile(const QString& title, const QString& startDir, const QString& filter);
};
