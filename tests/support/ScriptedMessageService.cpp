#include "ScriptedMessageService.h"

#include <QTest>

ScriptedMessageService::Scope::Scope() {
    auto service = std::make_unique<ScriptedMessageService>();
    service_ = service.get();
    previous_ = installMessageService(std::move(service));
}

ScriptedMessageService::Scope::~Scope() { installMessageService(std::move(previous_)); }

QStringList ScriptedMessageService::texts_of(int kind) const {
    QStringList out;
    for (const Message& m : messages)
        if (m.kind == kind) out.append(m.text);
    return out;
}

int ScriptedMessageService::show(const QString& text, int kind) {
    messages.append({text, kind});
    if (kind != Question) return 0;
    if (answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return No;
    }
    return answers.dequeue();
}

QString ScriptedMessageService::nextFile(const QString& title, const QString& startDir, const QString& filter) {
    lastTitle = title;
    lastStartDir = startDir;
    lastFilter = filter;
    if (files.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected file prompt: ") + title), __FILE__, __LINE__);
        return {};
    }
    return files.dequeue();
}

QString ScriptedMessageService::chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) {
    return nextFile(title, startDir, filter);
}

QString ScriptedMessageService::chooseSaveFile(const QString& title, const QString& suggestedPath,
                                               const QString& filter) {
    return nextFile(title, suggestedPath, filter);
}

QString ScriptedMessageService::chooseFolder(const QString& title, const QString& startDir) {
    return nextFile(title, startDir, QString());
}

std::optional<QString> ScriptedMessageService::askText(const QString& title, const QString&, bool) {
    if (texts.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected text prompt: ") + title), __FILE__, __LINE__);
        return std::nullopt;
    }
    return texts.dequeue();
}
