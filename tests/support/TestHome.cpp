#include "TestHome.h"

#include <QTest>

#include "DemoData.h"
#include "HomeSetup.h"

TestHome::TestHome(int demoTrainees) {
    QString error;
    if (!HomeSetup::initHome(tmp_.path(), &error)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot create test home: ") + error), __FILE__, __LINE__);
        return;
    }
    dm_ = std::make_unique<TdmData>(AppHome(tmp_.path()));
    ok_ = dm_->open(&error);
    if (ok_ && demoTrainees > 0) ok_ = DemoData::fill(dm_->database(), demoTrainees, &error);
    if (!ok_) QTest::qFail(qPrintable(QStringLiteral("cannot open test home: ") + error), __FILE__, __LINE__);
}
