#include "DLGcodeNewXZ.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "CodeStore.h"
#include "DLGaddText.h"
#include "DataDm.h"
#include "DataGrid.h"
#include "DispFormPos.h"
#include "ListControls.h"

namespace {

QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TDLGcodeNewXZ::TDLGcodeNewXZ(TdmData& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("TDLGcodeNewXZ"));
    setWindowTitle(QStringLiteral("基础代码选择"));

    edtcode_ = new QLineEdit(this);
    edtcode_->setObjectName(QStringLiteral("edtcode"));
    edtname_ = new QLineEdit(this);
    edtname_->setObjectName(QStringLiteral("edtname"));
    auto* find = button(QStringLiteral("BitBtn3"), QStringLiteral("查询"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("助 记 码："), this));
    top->addWidget(edtcode_);
    top->addWidget(new QLabel(QStringLiteral("名    称："), this));
    top->addWidget(edtname_);
    top->addWidget(find);

    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("DBGridEh1"));
    grid_->setColumns({GridColumn::forField(QStringLiteral("F_name"), QStringLiteral("名称"), 246),
                       GridColumn::forField(QStringLiteral("F_code"), QStringLiteral("助记码"), 113)});
    grid_->setFooterVisible(false);
    grid_->view()->installEventFilter(this);

    auto* add = button(QStringLiteral("Button1"), QStringLiteral("新增"), this);
    auto* ok = button(QStringLiteral("BitBtn1"), QStringLiteral("确定"), this);
    auto* close = button(QStringLiteral("BitBtn2"), QStringLiteral("关闭"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(add);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    resize(420, 400);

    connect(find, &QPushButton::clicked, this, &TDLGcodeNewXZ::search);
    connect(edtcode_, &QLineEdit::textChanged, this, &TDLGcodeNewXZ::search);
    connect(edtname_, &QLineEdit::textChanged, this, &TDLGcodeNewXZ::search);
    connect(grid_, &DataGrid::rowDoubleClicked, this, &QDialog::accept);
    connect(add, &QPushButton::clicked, this, &TDLGcodeNewXZ::addCode);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TDLGcodeNewXZ::pick(TdmData& dm, QWidget* caller, const QString& typeKey, const QString& caption,
                            QComboBox* listBox) {
    TDLGcodeNewXZ picker(dm, caller);
    picker.setTypeKey(typeKey);
    picker.setWindowTitle(caption);
    return picker.pick(listBox);
}

QString TDLGcodeNewXZ::pick(QComboBox* listBox) {
    QString output = listBox->currentText();
    added_ = false;
    const CodeStore::Statement list = CodeStore::pickerList(typeKey_);
    grid_->open(dm_, list.sql, list.params);
    if (!grid_->locate(QStringLiteral("F_name"), output) && grid_->rowCount() > 0) grid_->setCurrentRow(0);
    grid_->view()->setFocus();

    DispFormPos(this, 1);
    const bool ok = exec() == QDialog::Accepted;
    output = ok && grid_->currentRow() >= 0 ? grid_->value(QStringLiteral("F_name")).toString() : QString();
    if (added_) {
        // Refilling empties the box; what the user had typed stays unless a pick replaces it.
        const QString typed = listBox->currentText();
        setItems(listBox, CodeStore::pickItems(dm_, typeKey_));
        listBox->setCurrentIndex(-1);
        listBox->setEditText(typed);
    }
    if (ok) SelectItemByText(output, listBox);
    return output;
}

void TDLGcodeNewXZ::search() {
    const CodeStore::Statement s = CodeStore::search(typeKey_, edtname_->text(), edtcode_->text());
    grid_->open(dm_, s.sql, s.params);
}

void TDLGcodeNewXZ::addCode() {
    TDLGaddText input(this);
    const std::optional<QString> name = input.run();
    if (!name) return;
    const qint64 id = CodeStore::add(dm_, typeKey_, *name);
    if (id <= 0) return;
    added_ = true;
    // The new code is shown among all codes of the type, so the search must not hide it.
    for (QLineEdit* box : {edtcode_, edtname_}) {
        const QSignalBlocker block(box);
        box->clear();
    }
    const CodeStore::Statement s = CodeStore::search(typeKey_, QString(), QString());
    grid_->open(dm_, s.sql, s.params);
    grid_->locate(QStringLiteral("F_ID"), id);
}

bool TDLGcodeNewXZ::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
