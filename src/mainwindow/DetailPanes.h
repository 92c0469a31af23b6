#pragma once

#include <QWidget>

class DataGrid;
class QListWidget;
class QTabWidget;
class TdmData;
class TFrmMain;

// The records of the current trainee under the trainee list: make-up exams,
// payments and reminders on three tabs, with a selector list and a command bar.
class DetailPanes : public QWidget {
    Q_OBJECT
public:
    enum Tab { MakeUp = 0, Payments = 1, Reminders = 2 };

    DetailPanes(TdmData& dm, TFrmMain& main, QWidget* parent = nullptr);

    int currentTab() const;
    void setCurrentTab(int tab);
    DataGrid* grid(int tab) const { return grids_[tab]; }
    DataGrid* currentGrid() const { return grids_[currentTab()]; }
    static QString layoutKey(int tab);

    // Shows the records of the trainee with this link number; no trainee (0) empties them.
    // After an advanced search the make-up exams come by exam date.
    void showTrainee(qint64 mainId, bool byExamDate = false);
    void reopen(int tab);
    void loadLayouts();

Q_SIGNALS:
    // 新增 (mode 0) or 修改 (mode 1) on a tab: the record editors answer it.
    void editorRequested(int tab, int mode);

private:
    void add();
    void change();
    void remove();
    void sort();
    void chooseFields();
    void saveLayout();
    void exportToExcel();

    TdmData& dm_;
    TFrmMain& main_;
    QListWidget* selector_;
    QTabWidget* tabs_;
    DataGrid* grids_[3];
    qint64 mainId_ = 0;
    bool byExamDate_ = false;
};
