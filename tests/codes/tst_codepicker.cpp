#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QSqlQuery>
#include <QTest>

#include "CodeStore.h"
#include "DLGaddText.h"
#include "DLGcodeNewXZ.h"
#include "DataGrid.h"
#include "ModalDriver.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"

namespace {

QStringList gridNames(QWidget* picker) {
    auto* grid = picker->findChild<DataGrid*>(QStringLiteral("DBGridEh1"));
    QStringList names;
    for (int row = 0; row < grid->rowCount(); ++row) names << grid->value(row, QStringLiteral("F_name")).toString();
    return names;
}

void click(QWidget* window, const char* button) {
    window->findChild<QPushButton*>(QLatin1String(button))->click();
}

}  // namespace

class TestCodePicker : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    TdmData& dm() { return home->dm(); }

    void addCodes(const QString& type, const QStringList& names) {
        for (const QString& name : names)
            QVERIFY(dm().RunSQL(QStringLiteral("insert into t_code (F_type, F_name, F_code) values (?, ?, ?)"),
                                {type, name, QStringLiteral("m") + name}));
    }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        QVERIFY(dm().RunSQL(QStringLiteral("delete from t_code")));
    }

    void typeKeysMatchWithoutRegardToCase() {
        addCodes(QStringLiteral("xueLi"), {QStringLiteral("本科"), QStringLiteral("大专")});
        addCodes(QStringLiteral("dept"), {QStringLiteral("销售部")});
        for (const QString& key : {QStringLiteral("xueLI"), QStringLiteral("xueli"), QStringLiteral("XUELI")})
            QCOMPARE(CodeStore::pickItems(dm(), key), QStringList({QString(), QStringLiteral("本科"), QStringLiteral("大专")}));
    }

    void searchTakesWildcardsAndQuotesAsTyped() {
        addCodes(QStringLiteral("dept"), {QStringLiteral("100%部"), QStringLiteral("1000部"), QStringLiteral("a_b"),
                                          QStringLiteral("axb"), QStringLiteral("O'Neil部")});
        const auto names = [this](const QString& text) {
            const CodeStore::Statement s = CodeStore::search(QStringLiteral("dept"), text, QString());
            QSqlQuery q;
            QStringList out;
            if (dm().OpenSQL(q, s.sql, s.params))
                while (q.next()) out << q.value(QStringLiteral("F_name")).toString();
            return out;
        };
        QCOMPARE(names(QStringLiteral("0%")), QStringList({QStringLiteral("100%部")}));
        QCOMPARE(names(QStringLiteral("_")), QStringList({QStringLiteral("a_b")}));
        QCOMPARE(names(QStringLiteral(" O'N ")), QStringList({QStringLiteral("O'Neil部")}));
    }

    // The picker opens positioned on the list box's text; typing narrows the
    // list, clearing shows blank names too; OK selects the chosen entry.
    void searchAndPick() {
        ScriptedMessageService::Scope messages;
        addCodes(QStringLiteral("dept"), {QStringLiteral("销售部"), QStringLiteral("财务部"), QString(),
                                          QStringLiteral("车队"), QStringLiteral("教务部")});
        QComboBox box;
        box.setEditable(true);
        box.addItems(CodeStore::pickItems(dm(), QStringLiteral("DEPT")));
        box.setEditText(QStringLiteral("车队"));
        QStringList opened, filtered, cleared;
        whenModal(QStringLiteral("TDLGcodeNewXZ"), [&](QWidget* picker) {
            opened = gridNames(picker);
            auto* grid = picker->findChild<DataGrid*>(QStringLiteral("DBGridEh1"));
            QCOMPARE(grid->value(QStringLiteral("F_name")).toString(), QStringLiteral("车队"));
            auto* name = picker->findChild<QLineEdit*>(QStringLiteral("edtname"));
            name->insert(QStringLiteral("部"));
            filtered = gridNames(picker);
            name->clear();
            cleared = gridNames(picker);
            picker->findChild<QLineEdit*>(QStringLiteral("edtcode"))->setText(QStringLiteral("m财"));
            QCOMPARE(gridNames(picker), QStringList({QStringLiteral("财务部")}));
            grid->setCurrentRow(0);
            click(picker, "BitBtn1");
        });
        const QString chosen = TDLGcodeNewXZ::pick(dm(), nullptr, QStringLiteral("dEpT"), QStringLiteral("部门资料"), &box);
        // Name order (code point order of the database), blank names left out.
        QCOMPARE(opened, QStringList({QStringLiteral("教务部"), QStringLiteral("财务部"), QStringLiteral("车队"),
                                      QStringLiteral("销售部")}));
        QCOMPARE(filtered, QStringList({QStringLiteral("销售部"), QStringLiteral("财务部"), QStringLiteral("教务部")}));
        QCOMPARE(cleared.size(), 5);
        QVERIFY(cleared.contains(QString()));
        QCOMPARE(chosen, QStringLiteral("财务部"));
        QCOMPARE(box.currentText(), QStringLiteral("财务部"));
        QVERIFY(messages->messages.isEmpty());
    }

    void closingPicksNothing() {
        ScriptedMessageService::Scope messages;
        addCodes(QStringLiteral("dept"), {QStringLiteral("销售部")});
        QComboBox box;
        box.setEditable(true);
        box.addItems(CodeStore::pickItems(dm(), QStringLiteral("dept")));
        box.setEditText(QStringLiteral("手写"));
        whenModal(QStringLiteral("TDLGcodeNewXZ"), [](QWidget* picker) { QTest::keyClick(picker, Qt::Key_Escape); });
        QCOMPARE(TDLGcodeNewXZ::pick(dm(), nullptr, QStringLiteral("dept"), QString(), &box), QString());
        QCOMPARE(box.currentText(), QStringLiteral("手写"));
    }

    // "新增" writes the code at once, shows it as the current row, and the
    // caller's list box is refilled whether the picker ends with OK or not.
    void addedCodeReachesTheListBox_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("ok") << true;
        QTest::newRow("close") << false;
    }
    void addedCodeReachesTheListBox() {
        QFETCH(bool, confirm);
        ScriptedMessageService::Scope messages;
        addCodes(QStringLiteral("xueLi"), {QStringLiteral("本科")});
        QComboBox box;
        box.setEditable(true);
        box.addItems(CodeStore::pickItems(dm(), QStringLiteral("xueLI")));
        QString current;
        whenModal(QStringLiteral("TDLGcodeNewXZ"), [&](QWidget* picker) {
            picker->findChild<QLineEdit*>(QStringLiteral("edtname"))->setText(QStringLiteral("本"));
            whenModal(QStringLiteral("TDLGaddText"), [](QWidget* input) {
                input->findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(QStringLiteral(" 硕士 "));
                click(input, "BitBtn1");
            });
            click(picker, "Button1");
            current = picker->findChild<DataGrid*>(QStringLiteral("DBGridEh1"))->value(QStringLiteral("F_name")).toString();
            click(picker, confirm ? "BitBtn1" : "BitBtn2");
        });
        const QString chosen = TDLGcodeNewXZ::pick(dm(), nullptr, QStringLiteral("xueLI"), QString(), &box);
        QCOMPARE(current, QStringLiteral(" 硕士 "));
        QCOMPARE(dm().QueryInt(QStringLiteral("select count(*) from t_code where F_type = ? and F_name = ?"),
                               {QStringLiteral("xueli"), QStringLiteral(" 硕士 ")}),
                 1);
        QStringList entries;
        for (int i = 0; i < box.count(); ++i) entries << box.itemText(i);
        QVERIFY(entries.contains(QStringLiteral(" 硕士 ")));
        QCOMPARE(chosen, confirm ? QStringLiteral(" 硕士 ") : QString());
        QCOMPARE(box.currentText(), confirm ? QStringLiteral(" 硕士 ") : QString());
    }

    void nameInputRefusesBlankNames() {
        ScriptedMessageService::Scope messages;
        TDLGaddText input;
        input.show();
        auto* name = input.findChild<QLineEdit*>(QStringLiteral("edtName"));
        name->setText(QStringLiteral("   "));
        click(&input, "BitBtn1");
        QCOMPARE(messages->texts_of(0), QStringList({QStringLiteral("名称不能为空！")}));
        QVERIFY(input.isVisible());
        name->setText(QStringLiteral(" 新 "));
        click(&input, "BitBtn1");
        QCOMPARE(input.result(), int(QDialog::Accepted));
        QCOMPARE(input.text(), QStringLiteral(" 新 "));
    }
};

QTEST_MAIN(TestCodePicker)
#include "tst_codepicker.moc"
