#include "CodeStore.h"

#include "DataDm.h"

namespace {

// A LIKE pattern that finds the text as typed: % and _ are escaped with '\'.
QString containsPattern(const QString& text) {
    QString escaped = text;
    escaped.replace(u'\\', QLatin1String("\\\\")).replace(u'%', QLatin1String("\\%")).replace(u'_', QLatin1String("\\_"));
    return u'%' + escaped + u'%';
}

}  // namespace

QStringList CodeStore::pickItems(TdmData& dm, const QString& typeKey) {
    return dm.FillItems(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = ?"),
                        {typeKey});
}

CodeStore::Statement CodeStore::pickerList(const QString& typeKey) {
    return {QStringLiteral("select F_ID, F_name, F_code, F_type from t_code where (F_name <> '') and F_type = ? "
                           "order by F_name"),
            {typeKey}};
}

CodeStore::Statement CodeStore::search(const QString& typeKey, const QString& name, const QString& mnemonic) {
    Statement s{QStringLiteral("select F_ID, F_name, F_code, F_type from t_code where F_type = ?"), {typeKey}};
    if (!name.trimmed().isEmpty()) {
        s.sql += QStringLiteral(" and F_name like ? escape '\\'");
        s.params << containsPattern(name.trimmed());
    }
    if (!mnemonic.trimmed().isEmpty()) {
        s.sql += QStringLiteral(" and F_code like ? escape '\\'");
        s.params << containsPattern(mnemonic.trimmed());
    }
    s.sql += QStringLiteral(" order by F_ID");
    return s;
}

qint64 CodeStore::add(TdmData& dm, const QString& typeKey, const QString& name) {
    if (!dm.RunSQL(QStringLiteral("insert into t_code (F_type, F_name) values (?, ?)"), {typeKey, name}))
        return 0;
    return dm.QueryInt(QStringLiteral("select max(F_ID) from t_code where F_type = ? and F_name = ?"), {typeKey, name});
}
