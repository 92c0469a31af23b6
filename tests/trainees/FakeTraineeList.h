#pragma once

#include <QSqlQuery>
#include <QStringList>

#include "DataDm.h"
#include "TraineeListAccess.h"

// The main window's trainee list as the editor sees it: every trainee in key order.
class FakeTraineeList : public TraineeListAccess {
public:
    explicit FakeTraineeList(TdmData& dm) : dm_(dm) { reload(); }

    QList<qint64> ids;
    int current = -1;
    QStringList shownNames;  // what each save asked the list to show

    void reload() {
        ids.clear();
        QSqlQuery q;
        if (dm_.OpenSQL(q, QStringLiteral("select F_ID from T_employee order by F_ID")))
            while (q.next()) ids << q.value(0).toLongLong();
        current = ids.isEmpty() ? -1 : std::clamp(current, 0, int(ids.size()) - 1);
    }
    void setCurrent(qint64 id) { current = int(ids.indexOf(id)); }

    qint64 currentTraineeId() override { return current >= 0 ? ids[current] : 0; }
    bool moveTo(Navigation to) override {
        const int last = int(ids.size()) - 1;
        int target = current;
        switch (to) {
        case Navigation::First: target = 0; break;
        case Navigation::Prior: target = std::max(0, current - 1); break;
        case Navigation::Next: target = std::min(last, current + 1); break;
        case Navigation::Last: target = last; break;
        }
        if (target == current || last < 0) return false;
        current = target;
        return true;
    }
    void reloadAndShow(const QString& name) override {
        shownNames << name;
        reload();
        QSqlQuery q;
        if (dm_.OpenSQL(q, QStringLiteral("select F_ID, F_name from T_employee order by F_ID")))
            while (q.next())
                if (q.value(1).toString() == name) return setCurrent(q.value(0).toLongLong());
    }

private:
    TdmData& dm_;
};
