#include "ReportCommands.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "FrmReportDesign.h"
#include "FrmReportGl.h"
#include "FrmReportPreview.h"
#include "ReportTemplates.h"

namespace ReportCommands {

namespace {

ReportSource detailSource(TdmData& dm, const QString& name, const QString& sql, const QVariant& mainID) {
    QSqlQuery query(dm.database());
    if (mainID.isNull() || !dm.OpenSQL(query, sql, {mainID})) return {name, {}, {}, 0};
    return ReportSource::fromQuery(name, query);
}

template <typename Window>
Window* openModal(Window* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

ReportSource asFrxDM(ReportSource rows) {
    rows.name = QStringLiteral("frxDM");
    return rows;
}

}  // namespace

TfrmReportPreview* showPreview(TdmData& dm, Report& report, QWidget* parent) {
    report.setSchoolName(dm.QueryText(QStringLiteral("select F_Code from SysInfo order by F_ID")));
    return openModal(new TfrmReportPreview(report.render(), parent));
}

TfrmReportDesign* showDesigner(TdmData& dm, Report& report, QWidget* parent) {
    report.setSchoolName(dm.QueryText(QStringLiteral("select F_Code from SysInfo order by F_ID")));
    return openModal(new TfrmReportDesign(report, dm.home().reportDir(), parent));
}

TfrmReportPreview* preview(TdmData& dm, Report& report, const QString& templateBase, const ReportSource& rows,
                           const TextObjects& texts, QWidget* parent) {
    if (rows.isEmpty()) return nullptr;
    report.loadFromFile(Report::templatePath(dm.home(), templateBase));
    report.clearTexts();
    for (const auto& [object, text] : texts) report.setText(object, text);
    report.bind(asFrxDM(rows));
    return showPreview(dm, report, parent);
}

TfrmReportDesign* design(TdmData& dm, Report& report, const QString& templateBase, const ReportSource& rows,
                         QWidget* parent) {
    report.loadFromFile(Report::templatePath(dm.home(), templateBase));
    report.bind(asFrxDM(rows));
    return showDesigner(dm, report, parent);
}

void bindMainSources(TdmData& dm, Report& report, const ReportSource& trainees) {
    ReportSource main = trainees;
    main.name = QStringLiteral("frxMain");
    const QVariant mainID = main.currentValue(QStringLiteral("F_mainID"));
    report.bind(main);
    report.bind(detailSource(dm, QStringLiteral("frxDetail1"),
                             QStringLiteral("select F_ID, F_mainID, F_CLTcode, F_CLTname, F_ItemName, F_BKdate, "
                                            "F_BKprice, F_IFtg, F_FZemp, F_memo1, F_editDate, F_opername "
                                            "from t_BKrec where F_mainID = ? order by F_editDate"),
                             mainID));
    report.bind(detailSource(dm, QStringLiteral("frxDetail2"),
                             QStringLiteral("select F_ID, F_mainID, F_CLTcode, F_CLTname, F_SKprice, F_SKemp, "
                                            "F_SKdate, F_SHemp, F_SHdate, F_memo1, F_editDate, F_operName "
                                            "from t_SKrec where F_mainID = ? order by F_editDate"),
                             mainID));
    report.bind(detailSource(dm, QStringLiteral("frxDetail3"),
                             QStringLiteral("select F_ID, F_mainID, F_CLTcode, F_CLTname, F_awokeDate, F_awokeTime, "
                                            "F_caption, F_memo1, F_editDate, F_operName "
                                            "from t_TXrec where F_mainID = ? order by F_editDate"),
                             mainID));
    QByteArray photo;
    QSqlQuery query(dm.database());
    if (!mainID.isNull() &&
        dm.OpenSQL(query, QStringLiteral("select F_empImage from T_employee where F_mainID = ?"), {mainID}) &&
        query.next())
        photo = query.value(0).toByteArray();
    report.setPicture(QStringLiteral("photo"), photo);

    // The captions of the eleven custom fields, as the school named them, for the labels.
    QSqlQuery captions(dm.database());
    if (dm.OpenSQL(captions, QStringLiteral("select F_Value from KeyValue order by F_ID")))
        for (int i = 1; i <= 11 && captions.next(); ++i)
            report.setText(QStringLiteral("ZDY%1").arg(i), captions.value(0).toString());
}

namespace {

TfrmReportPreview* previewMain(TdmData& dm, Report& report, const QString& templateBase,
                               const ReportSource& trainees, QWidget* parent) {
    if (trainees.isEmpty()) return nullptr;
    report.loadFromFile(Report::templatePath(dm.home(), templateBase));
    bindMainSources(dm, report, trainees);
    return showPreview(dm, report, parent);
}

}  // namespace

TfrmReportPreview* previewCurrentTrainee(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent) {
    return previewMain(dm, report, ReportTemplates::traineeDetail, trainees, parent);
}

TfrmReportPreview* previewTraineeList(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent) {
    return previewMain(dm, report, ReportTemplates::traineeList, trainees, parent);
}

TFrmReportGl* openReportManager(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent) {
    return openModal(new TFrmReportGl(dm, report, trainees, parent));
}

}  // namespace ReportCommands
