#include "MessageService.h"

#include <QTextStream>

namespace {

// Without windows nobody can answer: questions are declined and prompts cancelled,
// so a command-line run never changes data on an unanswered question.
class ConsoleMessageService : public MessageService {
public:
    int show(const QString& text, int kind) override {
        static const char* const labels[] = {"信息", "询问", "警告", "错误"};
        QTextStream err(stderr);
        err << (kind >= 0 && kind <= 3 ? labels[kind] : "信息") << ": " << text << Qt::endl;
        return kind == Question ? No : 0;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    std::optional<QString> askText(const QString&, const QString&, bool) override { return std::nullopt; }
};

std::unique_ptr<MessageService>& current() {
    static std::unique_ptr<MessageService> service = std::make_unique<ConsoleMessageService>();
    return service;
}

}  // namespace

MessageService& messageService() { return *current(); }

std::unique_ptr<MessageService> installMessageService(std::unique_ptr<MessageService> service) {
    std::unique_ptr<MessageService> previous = std::move(current());
    current() = service ? std::move(service) : std::make_unique<ConsoleMessageService>();
    return previous;
}

int ShowMess(const QString& text, int kind) { return messageService().show(text, kind); }
