#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "DataDm.h"

// A program home in a temporary folder with a freshly delivered database and an
// open data module on it, as the program has after start-up.
class TestHome {
public:
    // demoTrainees > 0 also fills demo records.
    explicit TestHome(int demoTrainees = 0);

    QString dir() const { return tmp_.path(); }
    QString path(const QString& name) const { return tmp_.filePath(name); }
    TdmData& dm() { return *dm_; }
    bool ok() const { return ok_; }

private:
    QTemporaryDir tmp_;
    std::unique_ptr<TdmData> dm_;
    bool ok_ = false;
};
