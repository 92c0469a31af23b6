#pragma once

#include <QDialog>

#include "ReportSource.h"

class QListWidget;
class Report;
class TdmData;

// 报表管理器: designs or previews the main window's two reports on the main
// window's report object.
class TFrmReportGl : public QDialog {
    Q_OBJECT
public:
    TFrmReportGl(TdmData& dm, Report& report, ReportSource trainees, QWidget* parent = nullptr);

    // 设计 and 预览: nothing while the trainee list is empty; with no entry
    // selected they work on whatever the report object last held.
    void design();
    void preview();

private:
    bool prepare();

    TdmData& dm_;
    Report& report_;
    ReportSource trainees_;
    QListWidget* list_;
};
