#include "Transaction.h"

Transaction::Transaction(QSqlDatabase db) : db_(std::move(db)) { active_ = db_.isOpen() && db_.transaction(); }

Transaction::~Transaction() {
    if (active_) db_.rollback();
}

bool Transaction::commit() {
    if (!active_) return false;
    active_ = false;
    if (db_.commit()) return true;
    db_.rollback();
    return false;
}
