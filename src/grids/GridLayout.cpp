#include "GridLayout.h"

#include <QSqlQuery>

#include "DataDm.h"
#include "DataGrid.h"
#include "FrmDispFieldXZ.h"
#include "MessageService.h"
#include "Transaction.h"

namespace {
const QString kFailed = QStringLiteral("操作失败，请检查数据连接... ");
}

bool LoadGridLayout(TdmData& dm, DataGrid* grid, const QString& key) {
    QSqlQuery q(dm.database());
    q.setForwardOnly(true);
    const bool ok = q.prepare(QStringLiteral(
                        "select F_FieldName, F_Caption, F_Width, F_Visible, F_ReadOnly, F_Alignment, "
                        "F_DisplayFormat, F_FooterValue, F_FooterType from cfg_Grid "
                        "where F_name = ? and F_FieldName <> '' order by F_Order")) &&
                    (q.addBindValue(key), q.exec());
    if (!ok) {
        ShowMess(kFailed, 3);
        return false;
    }
    GridColumns columns;
    while (q.next()) {
        GridColumn c = GridColumn::forField(q.value(0).toString(), q.value(1).toString(), q.value(2).toInt());
        c.visible = q.value(3).toInt() != 0;
        c.readOnly = q.value(4).toInt() != 0;
        const int alignment = q.value(5).toInt();
        if (alignment >= GridColumn::Left && alignment <= GridColumn::Right) c.alignment = alignment;
        c.displayFormat = q.value(6).toString();
        c.footerValue = q.value(7).toString();
        const int footer = q.value(8).toInt();
        c.footerType = footer == GridColumn::StaticText || footer == GridColumn::Sum ? footer : GridColumn::NoFooter;
        columns.append(c);
    }
    if (!columns.isEmpty()) grid->setColumns(columns);
    return true;
}

bool SaveGridLayout(TdmData& dm, DataGrid* grid, const QString& key) {
    const GridColumns columns = grid->columns();
    Transaction transaction(dm.database());
    bool allWritten = true;
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn& c = columns[i];
        allWritten &= dm.RunSQL(QStringLiteral("update cfg_Grid set F_Caption = ?, F_Width = ?, F_ReadOnly = ?, "
                                               "F_Visible = ?, F_Order = ?, F_Alignment = ?, F_DisplayFormat = ?, "
                                               "F_FooterValue = ?, F_FooterType = ? "
                                               "where F_name = ? and F_FieldName = ?"),
                                {c.caption, c.width, c.readOnly ? 1 : 0, c.visible ? 1 : 0, i, c.alignment,
                                 c.displayFormat, c.footerValue, c.footerType, key.toLower(), c.fieldName});
    }
    // A failed statement leaves the others standing, so what was written is kept.
    return transaction.commit() && allWritten;
}

void ChooseGridFields(DataGrid* grid) {
    TFrmDispFieldXZ dialog(grid->columns(), grid->window());
    if (dialog.exec() != QDialog::Accepted) return;
    const QList<bool> ticked = dialog.ticked();
    for (int i = 0; i < ticked.size(); ++i) grid->setColumnVisible(i, ticked[i]);
}
