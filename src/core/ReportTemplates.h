#pragma once

#include <QStringList>

// Base names of the delivered report templates (in Qr/, with Report::templateExtension()).
namespace ReportTemplates {

inline const QString traineeDetail = QStringLiteral("frXueYuanXianqing");  // current trainee, all records
inline const QString traineeList = QStringLiteral("frXueYuanList");
inline const QString makeupList = QStringLiteral("frBKrecMan");
inline const QString paymentList = QStringLiteral("frSKrecMan");
inline const QString reminderList = QStringLiteral("frAwokeFx");
inline const QString staffList = QStringLiteral("frEmpListMan");
inline const QString vehicleList = QStringLiteral("frCarListMan");
inline const QString traineeTotals = QStringLiteral("frXueYuanTotalTJ");
inline const QString subjectDetail = QStringLiteral("frXueYuanDetailTJ");
inline const QString makeupDetail = QStringLiteral("frXueYuanBKdetailTJ");
inline const QString paymentDetail = QStringLiteral("frXueYuanSKdetailTJ");
inline const QString paymentTotals = QStringLiteral("frXueYuanSKtotalTJ");
inline const QString statisticsChart = QStringLiteral("frStatFx");

inline QStringList all() {
    return {traineeDetail, traineeList,   makeupList,    paymentList,   reminderList,  staffList,      vehicleList,
            traineeTotals, subjectDetail, makeupDetail, paymentDetail, paymentTotals, statisticsChart};
}

}  // namespace ReportTemplates
