#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "DataGrid.h"
#include "FrmDispFieldXZ.h"
#include "FrmRowArrangeGl.h"
#include "GridLayout.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

GridColumns traineeColumns() {
    return {GridColumn::forField("F_code", "档案编号", 90), GridColumn::forField("F_name", "姓名", 70),
            GridColumn::forField("F_memo1", "备注", 120), GridColumn::forField("F_BMdate", "报名时间", 85)};
}

QStringList fieldsOf(const GridColumns& columns) {
    QStringList names;
    for (const GridColumn& c : columns) names.append(c.fieldName);
    return names;
}

// Runs `step` on the modal dialog of the given type once it is open.
template <typename Dialog>
void whenOpen(const std::function<void(Dialog*)>& step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        step(dialog);
    });
}

}  // namespace

class TestDataGrid : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    QStringList column(const DataGrid& grid, const QString& field) {
        QStringList values;
        for (int r = 0; r < grid.rowCount(); ++r) values.append(grid.value(r, field).toString());
        return values;
    }
    QString storedLayout(const QString& key) {
        QSqlQuery q(dm().database());
        q.prepare("select group_concat(F_FieldName || '|' || F_Caption || '|' || F_Width || '|' || F_Visible || '|' || "
                  "F_Order || '|' || F_Alignment || '|' || F_DisplayFormat || '|' || F_FooterType, ';') "
                  "from (select * from cfg_Grid where F_name = ? order by F_ID)");
        q.addBindValue(key);
        return q.exec() && q.next() ? q.value(0).toString() : QString("error");
    }
    void addTrainees(DataGrid& grid) {
        QVERIFY(dm().RunSQL("insert into T_employee (F_mainID, F_code, F_name, F_memo1, F_BMdate, F_useFlag) values "
                            "(1, 'Y001', '张三', 'b', '2024-01-05', 0), (2, 'Y002', '李四', 'a', '1900-08-14', 1), "
                            "(3, 'Y003', '王五', 'c', '2023-06-01', 0)"));
        QVERIFY(grid.open(dm(), "select * from T_employee order by F_code"));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
    }

    void layoutRoundTrip() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        grid.setColumns(traineeColumns());
        QVERIFY(LoadGridLayout(dm(), &grid, "skdetail"));
        const GridColumns loaded = grid.columns();
        QCOMPARE(fieldsOf(loaded),
                 QStringList({"F_SKdate", "F_SKemp", "F_SKprice", "F_SHemp", "F_SHdate", "F_memo1", "F_editDate",
                              "F_operName"}));
        QCOMPARE(loaded[2].displayFormat, QString("0.00"));
        QCOMPARE(loaded[2].footerType, int(GridColumn::Sum));
        QCOMPARE(loaded[2].alignment, int(GridColumn::Right));
        QCOMPARE(loaded[0].footerValue, QString("合计"));
        QCOMPARE(loaded[0].width, 85);
        QVERIFY(loaded[5].memo);

        // The user drags 经手人 to the front, hides 审核人, widens a column, and
        // the window gives a column a title with quotes.
        QHeaderView* header = grid.view()->horizontalHeader();
        header->moveSection(1, 0);
        GridColumns edited = grid.columns();
        QCOMPARE(fieldsOf(edited).first(), QString("F_SKemp"));
        grid.setColumnVisible(3, false);
        header->resizeSection(header->logicalIndex(1), 123);
        QVERIFY(SaveGridLayout(dm(), &grid, "SKDETAIL"));
        QVERIFY(messages->messages.isEmpty());

        edited = grid.columns();
        edited[5].caption = "王's \"备注\"";
        edited[5].displayFormat = "'#'0";
        grid.setColumns(edited);
        QVERIFY(SaveGridLayout(dm(), &grid, "skdetail"));
        QCOMPARE(storedLayout("skdetail"),
                 QString("F_SKdate|收款日期|123|1|1|1||1;F_SKemp|经手人|70|1|0|0||0;F_SKprice|收款金额|80|1|2|2|0.00|2;"
                         "F_SHemp|审核人|70|0|3|0||0;F_SHdate|审核日期|85|1|4|1||0;"
                         "F_memo1|王's \"备注\"|140|1|5|0|'#'0|0;F_editDate|编辑日期|130|1|6|1||0;"
                         "F_operName|制单人|70|1|7|0||0"));

        DataGrid again;
        QVERIFY(LoadGridLayout(dm(), &again, "skdetail"));
        const GridColumns reloaded = again.columns();
        QCOMPARE(fieldsOf(reloaded), fieldsOf(edited));
        QVERIFY(!reloaded[3].visible);
        QVERIFY(again.view()->isColumnHidden(3));
        QCOMPARE(reloaded[3].width, 70);
        QCOMPARE(reloaded[1].width, 123);
        QCOMPARE(reloaded[5].caption, QString("王's \"备注\""));
        QCOMPARE(reloaded[5].displayFormat, QString("'#'0"));
        QVERIFY(messages->messages.isEmpty());
    }

    void loadSkipsEmptyFieldNamesAndOddCodes() {
        ScriptedMessageService::Scope messages;
        QVERIFY(dm().RunSQL("insert into cfg_Grid (F_name, F_FieldName, F_Caption, F_Width, F_Visible, F_Order, "
                            "F_Alignment, F_FooterType) values ('newkey', '', 'blank', 50, 1, 0, 0, 0), "
                            "('newkey', NULL, 'null', 50, 1, 1, 0, 0), ('newkey', 'F_b', 'B', 60, 1, 3, 7, 5), "
                            "('NEWKEY', 'F_a', 'A', 40, 0, 2, 2, 1)"));
        DataGrid grid;
        QVERIFY(LoadGridLayout(dm(), &grid, "newkey"));
        const GridColumns columns = grid.columns();
        QCOMPARE(fieldsOf(columns), QStringList({"F_a", "F_b"}));
        QVERIFY(!columns[0].visible);
        QCOMPARE(columns[0].alignment, int(GridColumn::Right));
        QCOMPARE(columns[0].footerType, int(GridColumn::StaticText));
        QCOMPARE(columns[1].alignment, int(GridColumn::Left));
        QCOMPARE(columns[1].footerType, int(GridColumn::NoFooter));
    }

    void keyWithoutRowsIsLeftAlone() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        grid.setColumns(traineeColumns());
        QVERIFY(LoadGridLayout(dm(), &grid, "nosuchkey"));
        QCOMPARE(fieldsOf(grid.columns()), fieldsOf(traineeColumns()));
        const qint64 rows = dm().QueryInt("select count(*) from cfg_Grid");
        const QString main = storedLayout("DovOrerMain");
        QVERIFY(SaveGridLayout(dm(), &grid, "nosuchkey"));
        QCOMPARE(dm().QueryInt("select count(*) from cfg_Grid"), rows);
        QCOMPARE(storedLayout("DovOrerMain"), main);

        // Columns the key has no row for change nothing either.
        grid.setColumns({GridColumn::forField("F_unknown", "x"), GridColumn::forField("F_code", "编号", 99)});
        QVERIFY(SaveGridLayout(dm(), &grid, "DovOrerMain"));
        QCOMPARE(dm().QueryInt("select count(*) from cfg_Grid"), rows);
        QCOMPARE(dm().QueryInt("select F_Width from cfg_Grid where F_name = 'DovOrerMain' and F_FieldName = 'F_code'"),
                 99);
        QCOMPARE(dm().QueryInt("select F_Order from cfg_Grid where F_name = 'DovOrerMain' and F_FieldName = 'F_code'"),
                 1);
        QVERIFY(messages->messages.isEmpty());
    }

    void fieldChooser() {
        DataGrid grid;
        grid.setColumns(traineeColumns());
        grid.setColumnVisible(3, false);
        whenOpen<TFrmDispFieldXZ>([](TFrmDispFieldXZ* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("字段列表"));
            auto* list = dialog->findChild<QListWidget*>("lbFields");
            QCOMPARE(list->count(), 4);
            QCOMPARE(list->item(1)->text(), QString("姓名"));
            QCOMPARE(list->item(3)->checkState(), Qt::Unchecked);
            list->item(1)->setCheckState(Qt::Unchecked);
            list->item(3)->setCheckState(Qt::Checked);
            dialog->findChild<QPushButton*>("btnOK")->click();
        });
        ChooseGridFields(&grid);
        GridColumns columns = grid.columns();
        QVERIFY(!columns[1].visible);
        QVERIFY(columns[3].visible);

        whenOpen<TFrmDispFieldXZ>([](TFrmDispFieldXZ* dialog) {
            dialog->findChild<QListWidget*>("lbFields")->item(0)->setCheckState(Qt::Unchecked);
            dialog->findChild<QPushButton*>("btnCancel")->click();
        });
        ChooseGridFields(&grid);
        QVERIFY(grid.columns()[0].visible);
        QVERIFY(!grid.columns()[1].visible);
    }

    void titleClickSort() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        grid.setColumns(traineeColumns());
        addTrainees(grid);
        ResultModel* model = grid.model();
        QHeaderView* header = grid.view()->horizontalHeader();

        Q_EMIT header->sectionClicked(1);  // title sort is off until the window asks for it
        QCOMPARE(model->sortMark(1), 0);

        grid.setTitleSortEnabled(true);
        Q_EMIT header->sectionClicked(1);
        QCOMPARE(model->sortMark(1), 1);
        QCOMPARE(column(grid, "F_name"), QStringList({"张三", "李四", "王五"}));  // code-point order
        QCOMPARE(grid.sortText(), QString("F_name ASC"));
        Q_EMIT header->sectionClicked(1);
        QCOMPARE(model->sortMark(1), 2);
        QCOMPARE(column(grid, "F_name"), QStringList({"王五", "李四", "张三"}));

        // A memo column takes the mark but the rows stay where they are.
        Q_EMIT header->sectionClicked(2);
        QCOMPARE(model->sortMark(2), 1);
        QCOMPARE(model->sortMark(1), 0);
        QCOMPARE(column(grid, "F_memo1"), QStringList({"c", "a", "b"}));
        Q_EMIT header->sectionClicked(2);
        QCOMPARE(model->sortMark(2), 2);
        QCOMPARE(column(grid, "F_memo1"), QStringList({"c", "a", "b"}));
        Q_EMIT header->sectionClicked(2);
        QCOMPARE(model->sortMark(2), 1);

        // The date column sorts with the no-date value first, and the current record stays current.
        QVERIFY(grid.locate("F_code", "Y001"));
        Q_EMIT header->sectionClicked(3);
        QCOMPARE(column(grid, "F_code"), QStringList({"Y002", "Y003", "Y001"}));
        QCOMPARE(grid.value("F_code").toString(), QString("Y001"));
        QCOMPARE(grid.currentRow(), 2);

        QVERIFY(grid.setSortText(""));
        QCOMPARE(column(grid, "F_code"), QStringList({"Y001", "Y002", "Y003"}));
        QCOMPARE(model->sortMark(3), 0);
        QVERIFY(messages->messages.isEmpty());
    }

    void currentRowAndSignals() {
        ScriptedMessageService::Scope messages;
        DataGrid grid;
        grid.setColumns(traineeColumns());
        grid.setColumnVisible(0, false);
        QSignalSpy changed(&grid, &DataGrid::currentRowChanged);
        QSignalSpy doubled(&grid, &DataGrid::rowDoubleClicked);
        addTrainees(grid);
        QCOMPARE(grid.currentRow(), 0);
        QCOMPARE(changed.last().first().toInt(), 0);
        QCOMPARE(grid.value("F_name").toString(), QString("张三"));

        QVERIFY(grid.locate("F_mainID", 3));
        QCOMPARE(changed.last().first().toInt(), 2);
        QCOMPARE(grid.value("f_NAME").toString(), QString("王五"));
        QVERIFY(!grid.locate("F_mainID", 9));
        QVERIFY(!grid.locate("F_nothing", 1));
        QCOMPARE(grid.currentRow(), 2);

        Q_EMIT grid.view()->doubleClicked(grid.model()->index(1, 1));
        QCOMPARE(doubled.size(), 1);
        QCOMPARE(doubled.first().first().toInt(), 1);

        // A new query keeps the columns as the user left them.
        grid.view()->horizontalHeader()->resizeSection(1, 151);
        QVERIFY(grid.open(dm(), "select * from T_employee where F_code = ?", {"nothing"}));
        QCOMPARE(grid.rowCount(), 0);
        QCOMPARE(grid.currentRow(), -1);
        QCOMPARE(changed.last().first().toInt(), -1);
        QVERIFY(!grid.value("F_name").isValid());
        QVERIFY(grid.view()->isColumnHidden(0));
        QCOMPARE(grid.columns()[1].width, 151);

        // A rejected statement is reported and leaves the grid empty.
        addTrainees(grid);
        QVERIFY(!grid.open(dm(), "select * from T_employee where F_name = 'O'Neil'"));
        QCOMPARE(grid.rowCount(), 0);
        QCOMPARE(messages->texts_of(3).size(), 1);
    }

    void keptResultsNeverShowOldData() {
        DataGrid grid;
        grid.setColumns(traineeColumns());
        grid.setResultCache(2);
        QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        addTrainees(grid);
        const QString all = "select * from T_employee order by F_code";
        const QString one = "select * from T_employee where F_name like ? order by F_code";
        const auto names = [&grid] {
            QStringList out;
            for (int r = 0; r < grid.rowCount(); ++r) out.append(grid.value(r, "F_name").toString());
            return out;
        };
        QVERIFY(grid.open(dm(), one, {"%王%"}));
        QCOMPARE(names(), QStringList({"王五"}));
        // Back to a list shown before: the kept rows, the same as read anew.
        QVERIFY(grid.open(dm(), all));
        QCOMPARE(names(), QStringList({"张三", "李四", "王五"}));
        QCOMPARE(grid.currentRow(), 0);
        QVERIFY(grid.open(dm(), one, {"%王%"}));
        QCOMPARE(names(), QStringList({"王五"}));
        QVERIFY(grid.open(dm(), one, {"%张%"}));
        QCOMPARE(names(), QStringList({"张三"}));
        // After any change the database is read again.
        QVERIFY(dm().RunSQL("update T_employee set F_name = '王小五' where F_code = 'Y003'"));
        QVERIFY(grid.open(dm(), all));
        QCOMPARE(names(), QStringList({"张三", "李四", "王小五"}));
        QVERIFY(grid.open(dm(), one, {"%王%"}));
        QCOMPARE(names(), QStringList({"王小五"}));
        // The same holds for a change another program commits to the file.
        {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
            other.setDatabaseName(dm().databasePath());
            QVERIFY(other.open());
            QVERIFY(QSqlQuery(other).exec("delete from T_employee where F_code = 'Y001'"));
            other.close();
        }
        QSqlDatabase::removeDatabase("other");
        QVERIFY(grid.open(dm(), all));
        QCOMPARE(names(), QStringList({"李四", "王小五"}));
    }

    void gridWithoutColumnsShowsEveryField() {
        DataGrid grid;
        QVERIFY(grid.open(dm(), "select F_name, F_Order from cfg_Grid where F_name = ?", {"bkdetail"}));
        QCOMPARE(fieldsOf(grid.columns()), QStringList({"F_name", "F_Order"}));
        QCOMPARE(grid.rowCount(), 7);
    }

    void sortDialog() {
        DataGrid grid;
        GridColumns columns = traineeColumns();
        columns[3].caption = "姓名";  // two columns with the same title
        grid.setColumns(columns);
        addTrainees(grid);

        TfrmRowArrangeGl dialog(&grid);
        QCOMPARE(dialog.windowTitle(), QString("排序对话框"));
        auto* list = dialog.findChild<QTreeWidget*>("lvOrder");
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(dialog.sortText(), QString());

        const auto cycle = [list](int row) { Q_EMIT list->itemDoubleClicked(list->topLevelItem(row), 1); };
        cycle(3);
        QCOMPARE(list->topLevelItem(3)->text(1), QString("升序"));
        cycle(3);
        QCOMPARE(list->topLevelItem(3)->text(1), QString("降序"));
        QCOMPARE(dialog.sortText(), QString("f_name DESC,"));  // the second 姓名 sorts by the first one's field
        cycle(0);
        QCOMPARE(dialog.sortText(), QString("f_code ASC,f_name DESC,"));

        // Row 3 moves to the top and stays current; moving up from the top does nothing.
        list->setCurrentItem(list->topLevelItem(3));
        auto* up = dialog.findChild<QPushButton*>("btnUp");
        for (int i = 0; i < 4; ++i) up->click();
        QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), 0);
        QCOMPARE(list->topLevelItem(0)->text(1), QString("降序"));
        QCOMPARE(dialog.sortText(), QString("f_name DESC,f_code ASC,"));
        auto* down = dialog.findChild<QPushButton*>("btnDown");
        for (int i = 0; i < 5; ++i) down->click();
        QCOMPARE(list->indexOfTopLevelItem(list->currentItem()), 3);
        QCOMPARE(dialog.sortText(), QString("f_code ASC,f_name DESC,"));
        cycle(0);
        cycle(0);
        cycle(3);
        QCOMPARE(dialog.sortText(), QString());

        // The grid takes the dialog's text, trailing comma and all.
        QVERIFY(grid.setSortText("f_name DESC,"));
        QCOMPARE(column(grid, "F_code"), QStringList({"Y003", "Y002", "Y001"}));
        QCOMPARE(grid.model()->sortMark(1), 2);
        QVERIFY(!grid.setSortText("f_name SIDEWAYS,"));
        QCOMPARE(column(grid, "F_code"), QStringList({"Y003", "Y002", "Y001"}));
    }

    void sortDialogResult() {
        DataGrid grid;
        grid.setColumns(traineeColumns());
        whenOpen<TfrmRowArrangeGl>([](TfrmRowArrangeGl* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("lvOrder");
            Q_EMIT list->itemDoubleClicked(list->topLevelItem(1), 1);
            dialog->findChild<QPushButton*>("btnOK")->click();
        });
        QCOMPARE(TfrmRowArrangeGl::choose(&grid), std::optional<QString>("f_name ASC,"));
        whenOpen<TfrmRowArrangeGl>([](TfrmRowArrangeGl* dialog) {
            dialog->findChild<QPushButton*>("btnOK")->click();
        });
        QCOMPARE(TfrmRowArrangeGl::choose(&grid), std::optional<QString>(""));
        whenOpen<TfrmRowArrangeGl>([](TfrmRowArrangeGl* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("lvOrder");
            Q_EMIT list->itemDoubleClicked(list->topLevelItem(1), 1);
            dialog->findChild<QPushButton*>("btnCancel")->click();
        });
        QCOMPARE(TfrmRowArrangeGl::choose(&grid), std::nullopt);
    }
};

QTEST_MAIN(TestDataGrid)
#include "tst_datagrid.moc"
