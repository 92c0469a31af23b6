#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include "Report.h"

class QWidget;
class TdmData;
class TFrmReportGl;
class TfrmReportDesign;
class TfrmReportPreview;

// The two report operations every printing window runs, and the main window's
// report commands. Windows open modal and delete themselves when closed; the
// functions return them (nullptr when nothing opens) so callers and tests can
// follow them.
namespace ReportCommands {

using TextObjects = QList<QPair<QString, QString>>;

// Preview: nothing for an empty list; otherwise the template is loaded afresh
// (a missing one gives an empty report), the text objects filled, "frxDM"
// bound to the rows and the report previewed.
TfrmReportPreview* preview(TdmData& dm, Report& report, const QString& templateBase, const ReportSource& rows,
                           const TextObjects& texts, QWidget* parent);
// Design: load the template, bind "frxDM" and open the designer, rows or no rows.
TfrmReportDesign* design(TdmData& dm, Report& report, const QString& templateBase, const ReportSource& rows,
                         QWidget* parent);

// The main window's sources: the trainee list as "frxMain", and for its current
// row the make-up exam, payment and reminder records as "frxDetail1" to
// "frxDetail3", the trainee's photo as the picture "photo" and the custom
// field captions as the text objects "ZDY1" to "ZDY11".
void bindMainSources(TdmData& dm, Report& report, const ReportSource& trainees);

// Action303 当前学员详细报表 and Action304 当前学员档案列表: nothing when the list is empty.
TfrmReportPreview* previewCurrentTrainee(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent);
TfrmReportPreview* previewTraineeList(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent);
// Action302 报表设计: the report manager on the main window's report object.
TFrmReportGl* openReportManager(TdmData& dm, Report& report, const ReportSource& trainees, QWidget* parent);

// Shows the report as it stands, with the school's name for the headers.
TfrmReportPreview* showPreview(TdmData& dm, Report& report, QWidget* parent);
TfrmReportDesign* showDesigner(TdmData& dm, Report& report, QWidget* parent);

}  // namespace ReportCommands
