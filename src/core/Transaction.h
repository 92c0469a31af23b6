#pragma once

#include <QSqlDatabase>

// Runs a multi-statement change as one unit: begin on construction, commit()
// explicitly, and anything not committed is rolled back when the guard goes away.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return active_; }
    bool commit();

private:
    QSqlDatabase db_;
    bool active_ = false;
};
