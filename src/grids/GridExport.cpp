#include "GridExport.h"

#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <xlsxwriter.h>

#include "DataGrid.h"
#include "DisplayRules.h"
#include "MessageService.h"
#include "ResultModel.h"

namespace {

// Characters a sheet name may not hold, and its length limit.
QString validSheetName(const QString& name) {
    QString result = name;
    for (QChar c : QStringLiteral("[]:*?/\\")) result.replace(c, u'_');
    result = result.left(31).trimmed();
    if (result.startsWith(u'\'')) result[0] = u'_';
    if (result.endsWith(u'\'')) result[result.size() - 1] = u'_';
    return result.isEmpty() ? QStringLiteral("Sheet1") : result;
}

class Workbook {
public:
    Workbook(const QString& path) {
        lxw_workbook_options options{};
        // Rows go straight to disk, so a long grid does not double in memory.
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    }
    ~Workbook() {
        if (book_) workbook_close(book_);
    }
    lxw_workbook* book() const { return book_; }
    lxw_error close() {
        const lxw_error result = book_ ? workbook_close(book_) : LXW_ERROR_CREATING_XLSX_FILE;
        book_ = nullptr;
        return result;
    }
    lxw_format* format(const QString& numberFormat) {
        auto it = formats_.constFind(numberFormat);
        if (it != formats_.cend()) return *it;
        lxw_format* f = workbook_add_format(book_);
        format_set_num_format(f, numberFormat.toUtf8().constData());
        formats_.insert(numberFormat, f);
        return f;
    }

private:
    lxw_workbook* book_ = nullptr;
    QHash<QString, lxw_format*> formats_;
};

void writeCell(lxw_worksheet* sheet, Workbook& book, int row, int col, const GridColumn& column, const QVariant& v) {
    const bool formatted = !column.displayFormat.trimmed().isEmpty();
    lxw_format* format = book.format(formatted ? column.displayFormat : QStringLiteral("@"));
    if (column.kind == ColumnKind::YesNo) {
        worksheet_write_string(sheet, row, col, DisplayRules::yesNo(v) ? "True" : "False", format);
        return;
    }
    if (v.isNull() || v.typeId() == QMetaType::QByteArray) return;
    bool isNumber = v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double;
    double number = v.toDouble();
    if (!isNumber && formatted) number = v.toString().trimmed().toDouble(&isNumber);
    if (isNumber && formatted) {
        worksheet_write_number(sheet, row, col, number, format);
        return;
    }
    const QString text = v.toString();
    if (text.trimmed() == QLatin1String(DisplayRules::noDateText) || text.isEmpty()) return;
    worksheet_write_string(sheet, row, col, text.toUtf8().constData(), format);
}

}  // namespace

bool writeGridWorkbook(const ResultModel& model, const GridColumns& columns, const QString& sheetName,
                       const QString& path, QString* error, const std::function<void(int, int)>& progress) {
    const QString partial = path + QStringLiteral(".part");
    Workbook book(partial);
    const auto fail = [&](const QString& why) {
        book.close();
        QFile::remove(partial);
        if (error) *error = why;
        return false;
    };
    if (!book.book()) return fail(QStringLiteral("无法创建工作簿"));
    lxw_worksheet* sheet = workbook_add_worksheet(book.book(), validSheetName(sheetName).toUtf8().constData());
    if (!sheet) return fail(QStringLiteral("无法创建工作表"));

    std::vector<int> fields;
    for (int c = 0; c < columns.size(); ++c) {
        worksheet_write_string(sheet, 0, c, columns[c].caption.toUtf8().constData(), nullptr);
        worksheet_set_column(sheet, c, c, std::max(4.0, columns[c].width / 7.0), nullptr);
        fields.push_back(model.fieldIndex(columns[c].fieldName));
    }
    const int rows = model.rowCount();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns.size(); ++c)
            writeCell(sheet, book, r + 1, c, columns[c], model.value(r, fields[size_t(c)]));
        if (progress && r % 1000 == 999) progress(r + 1, rows);
    }
    const lxw_error closed = book.close();
    if (closed != LXW_NO_ERROR) return fail(QString::fromUtf8(lxw_strerror(closed)));
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path).constData()) != 0)
        return fail(QStringLiteral("无法替换原有文件"));
    if (progress) progress(rows, rows);
    return true;
}

bool ExportGridToExcel(DataGrid* grid, const QString& sheetName) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(
        validSheetName(sheetName) + u'_' + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
        QStringLiteral(".xlsx"));
    QString path = messageService().chooseSaveFile(QStringLiteral("导出到Excel"), suggested,
                                                   QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) path += QStringLiteral(".xlsx");

    const int rows = grid->rowCount();
    std::unique_ptr<QProgressDialog> bar;
    if (rows > 2000) {
        bar = std::make_unique<QProgressDialog>(QStringLiteral("正在导出到Excel..."), QString(), 0, rows, grid);
        bar->setWindowModality(Qt::WindowModal);
        bar->setMinimumDuration(300);
    }
    QString error;
    const bool ok = writeGridWorkbook(*grid->model(), grid->columns(), sheetName, path, &error, [&](int done, int) {
        if (bar) bar->setValue(done);
    });
    bar.reset();
    if (!ok) {
        ShowMess(QStringLiteral("导出到Excel失败，文件“%1”没有写成（%2）。请检查该文件夹是否可写、磁盘空间是否足够。")
                     .arg(QDir::toNativeSeparators(path), error),
                 3);
        return false;
    }
    // Tests run without a desktop; they read the file back instead.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return true;
}
