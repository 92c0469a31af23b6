#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

#include "CurrentOperator.h"
#include "DataDm.h"
#include "FakeTraineeList.h"
#include "FrmCltEdit.h"
#include "MoneyEdit.h"
#include "OptionalDateEdit.h"
#include "PictureStore.h"
#include "ScriptedMessageService.h"
#include "TestHome.h"
#include "TraineeStore.h"

namespace {

const QString kMonth = QStringLiteral("Y") + QDate::currentDate().toString(QStringLiteral("yyyyMM"));

void login(bool autoNumbering, bool audit = true) {
    OperatorValues op;
    op.name = QStringLiteral("张三");
    op.autoNumbering = autoNumbering;
    op.canAuditPayments = audit;
    op.moneyFormat = QStringLiteral("￥,0.00");
    for (int i = 0; i < 11; ++i) op.customSettings[i] = QStringLiteral("项%1").arg(i + 1);
    setCurrentOperator(op);
}

QRadioButton* radio(QWidget* editor, const char* group, const QString& text) {
    for (auto* r : editor->findChild<QGroupBox*>(QLatin1String(group))->findChildren<QRadioButton*>())
        if (r->text() == text) return r;
    return nullptr;
}

}  // namespace

class TestCltEdit : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> home;
    std::unique_ptr<FakeTraineeList> list;
    std::unique_ptr<TfrmCltEdit> editor;
    TdmData& dm() { return home->dm(); }

    qint64 addTrainee(const QVariantMap& values) {
        QStringList marks(values.size(), QStringLiteral("?"));
        const bool ok = dm().RunSQL(QStringLiteral("insert into T_employee (%1) values (%2)")
                                        .arg(values.keys().join(u','), marks.join(u',')),
                                    values.values());
        list->reload();
        return ok ? dm().QueryInt(QStringLiteral("select max(F_ID) from T_employee")) : 0;
    }
    QVariant stored(qint64 id, const QString& column) {
        QSqlQuery q;
        if (!dm().OpenSQL(q, QStringLiteral("select * from T_employee where F_ID = ?"), {id}) || !q.next()) return {};
        return q.value(column);
    }
    int count() { return int(dm().QueryInt(QStringLiteral("select count(*) from T_employee"))); }

    TfrmCltEdit& open(TfrmCltEdit::Mode mode) {
        editor = std::make_unique<TfrmCltEdit>(dm(), *list);
        editor->prepare(mode);
        editor->show();
        return *editor;
    }
    template <class W = QWidget>
    W* input(const char* name) {
        return editor->findChild<W*>(QLatin1String(name));
    }
    QLineEdit* text(const char* name) { return input<QLineEdit>(name); }
    void ok() { input<QPushButton>("Button1")->click(); }

private Q_SLOTS:
    void init() {
        home = std::make_unique<TestHome>();
        QVERIFY(home->ok());
        list = std::make_unique<FakeTraineeList>(dm());
        login(false);
    }
    void cleanup() { editor.reset(); }

    void continuousEntryNumbersOneAfterAnother() {
        ScriptedMessageService::Scope messages;
        login(true);
        open(TfrmCltEdit::NewTrainee);
        QCOMPARE(editor->windowTitle(), QStringLiteral("学员档案 - 新增"));
        QVERIFY(!input("DBNavigator1")->isVisibleTo(editor.get()));
        QCOMPARE(text("edtcode")->text(), kMonth + "001");
        QVERIFY(text("edtcode")->isReadOnly());
        QVERIFY(!(text("edtcode")->focusPolicy() & Qt::TabFocus));
        input<QCheckBox>("CheckBox1")->setChecked(true);
        text("edtName")->setText(QStringLiteral(" 甲 "));
        ok();
        QVERIFY(editor->isVisible());
        QCOMPARE(text("edtName")->text(), QString());
        QCOMPARE(text("edtcode")->text(), kMonth + "002");
        text("edtName")->setText(QStringLiteral("乙"));
        ok();
        QCOMPARE(dm().QueryText(QStringLiteral("select group_concat(F_name || ':' || F_code || ':' || F_mainID, ' ') "
                                               "from (select * from T_employee order by F_ID)")),
                 QStringLiteral("甲:") + kMonth + QStringLiteral("001:1 乙:") + kMonth + QStringLiteral("002:2"));
        QCOMPARE(list->shownNames, QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
        QVERIFY(messages->messages.isEmpty());
    }

    void numberTakenMeanwhileIsReplacedSilently() {
        ScriptedMessageService::Scope messages;
        login(true);
        open(TfrmCltEdit::NewTrainee);
        QCOMPARE(text("edtcode")->text(), kMonth + "001");
        addTrainee({{"F_mainID", 1}, {"F_code", kMonth + "001"}, {"F_name", "别人"}});
        text("edtName")->setText(QStringLiteral("甲"));
        ok();
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(dm().QueryText(QStringLiteral("select F_code from T_employee where F_name = ?"), {QStringLiteral("甲")}),
                 kMonth + "002");
        QCOMPARE(dm().QueryInt(QStringLiteral("select F_mainID from T_employee where F_name = ?"), {QStringLiteral("甲")}), 2);
        QVERIFY(messages->messages.isEmpty());
    }

    void nextFileNumber_data() {
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QString>("next");
        QTest::newRow("first of the month") << QStringList() << "Y202603001";
        QTest::newRow("continues") << QStringList({"Y202603001", "Y202603015"}) << "Y202603016";
        QTest::newRow("other months and prefixes")
            << QStringList({"Y202602999", "Y202604005", "X202603050", "y202603090"}) << "Y202603001";
        QTest::newRow("hand-typed numbers skipped")
            << QStringList({"Y202603007", "Y20260312A", "Y202603ZZZ", "Y2026030011", "Y202603"}) << "Y202603008";
        QTest::newRow("month full") << QStringList({"Y202603001", "Y202603999"}) << "";
    }
    void nextFileNumber() {
        QFETCH(QStringList, codes);
        QFETCH(QString, next);
        for (const QString& code : codes) addTrainee({{"F_mainID", 1}, {"F_code", code}});
        QCOMPARE(TraineeStore::nextFileNumber(dm(), QDate(2026, 3, 15)).value_or(QString()), next);
    }

    void fullMonthAsksForANumberByHand() {
        ScriptedMessageService::Scope messages;
        login(true);
        addTrainee({{"F_mainID", 1}, {"F_code", kMonth + "999"}, {"F_name", "甲"}});
        open(TfrmCltEdit::NewTrainee);
        QCOMPARE(messages->texts_of(2).size(), 1);
        QVERIFY(messages->texts_of(2).first().contains(QStringLiteral("999")));
        QCOMPARE(text("edtcode")->text(), QString());
        QVERIFY(!text("edtcode")->isReadOnly());
        // A number typed by hand that is taken cannot be replaced either.
        text("edtcode")->setText(kMonth + "999");
        QVERIFY(!editor->save());
        QCOMPARE(messages->texts_of(2).size(), 2);
        text("edtcode")->setText(QStringLiteral("手工1"));
        QVERIFY(editor->save());
        QCOMPARE(dm().QueryInt(QStringLiteral("select count(*) from T_employee where F_code = ?"), {QStringLiteral("手工1")}), 1);
    }

    void duplicateFileNumberIsRefused() {
        ScriptedMessageService::Scope messages;
        const qint64 id = addTrainee({{"F_mainID", 1}, {"F_code", "A1"}, {"F_name", "甲"}});
        open(TfrmCltEdit::NewTrainee);
        text("edtName")->setText(QStringLiteral("乙"));
        text("edtcode")->setText(QStringLiteral(" a1 "));
        ok();
        QCOMPARE(messages->texts_of(0), QStringList({QStringLiteral("档案编号重复，请重新输入！")}));
        QCOMPARE(editor->focusWidget(), text("edtcode"));
        QVERIFY(editor->isVisible());
        QCOMPARE(count(), 1);

        list->setCurrent(id);
        open(TfrmCltEdit::EditTrainee);
        text("edtName")->setText(QStringLiteral("甲二"));
        ok();
        QCOMPARE(editor->result(), int(QDialog::Accepted));
        QCOMPARE(stored(id, "F_name").toString(), QStringLiteral("甲二"));
        QCOMPARE(stored(id, "F_code").toString(), QStringLiteral("A1"));
        QCOMPARE(messages->messages.size(), 1);
    }

    void duplicateIdCardIsRefusedButBlankNever() {
        ScriptedMessageService::Scope messages;
        addTrainee({{"F_mainID", 1}, {"F_SFZcode", "110101"}, {"F_name", "甲"}});
        addTrainee({{"F_mainID", 2}, {"F_SFZcode", ""}, {"F_name", "乙"}});
        addTrainee({{"F_mainID", 3}, {"F_SFZcode", ""}, {"F_name", "丙"}});
        open(TfrmCltEdit::NewTrainee);
        text("edtName")->setText(QStringLiteral("丁"));
        text("edtSFZcode")->setText(QStringLiteral(" 110101 "));
        ok();
        QCOMPARE(messages->texts_of(0), QStringList({QStringLiteral("身份证号重复，请检查输入！")}));
        QCOMPARE(editor->focusWidget(), text("edtSFZcode"));
        QCOMPARE(count(), 3);
        text("edtSFZcode")->setText(QStringLiteral("  "));
        ok();
        QCOMPARE(count(), 4);
        QCOMPARE(messages->messages.size(), 1);
    }

    void copyTakesEverythingButNumberAndLink() {
        ScriptedMessageService::Scope messages;
        QImage photo(4, 4, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        const PictureStore::Stored picture = PictureStore::forSave(photo, QStringLiteral("p.jpg"));
        const QVariantMap values = {
            {"F_mainID", 5}, {"F_code", "A7"}, {"F_name", "甲"}, {"F_SFZcode", ""}, {"F_Sex", "男"},
            {"F_BKcarType", "B2"}, {"F_BMdate", "2025-04-01"}, {"F_ZKZdate", "2025-05-02"},
            {"F_SKdate", "1900-08-14"}, {"F_SKprice", 3200.5}, {"F_kemu1", 1}, {"F_kemu1CJ", 92},
            {"F_KM1date", "2025-06-03"}, {"F_memo1", "备注"}, {"F_ZF2", " 自定义 "}, {"F_SZ3", 1.25},
            {"F_RQ1", "2025-07-04"}, {"F_empName", "李四"}, {"F_SKflag", 1}, {"F_empImage", picture.blob},
            {"F_ImagePath", picture.fileName}};
        const qint64 source = addTrainee(values);
        addTrainee({{"F_mainID", 6}, {"F_name", "乙"}});
        QSqlQuery before;
        QVERIFY(dm().OpenSQL(before, QStringLiteral("select * from T_employee where F_ID = ?"), {source}) && before.next());
        const QSqlRecord original = before.record();
        before.finish();

        list->setCurrent(source);
        open(TfrmCltEdit::CopyTrainee);
        QCOMPARE(editor->windowTitle(), QStringLiteral("学员档案 - 新增"));
        QCOMPARE(text("edtcode")->text(), QString());
        ok();
        QCOMPARE(count(), 3);
        const qint64 copy = dm().QueryInt(QStringLiteral("select max(F_ID) from T_employee"));
        QCOMPARE(stored(copy, "F_mainID").toInt(), 7);
        QCOMPARE(stored(copy, "F_code").toString(), QString());
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it.key() == u"F_mainID" || it.key() == u"F_code" || it.key() == u"F_empImage") continue;
            QCOMPARE(stored(copy, it.key()).toString(), it.value().toString());
        }
        for (int i = 0; i < original.count(); ++i) QCOMPARE(stored(source, original.fieldName(i)), original.value(i));
        QVERIFY(!stored(copy, "F_empImage").isNull());
    }

    void clearedDatesAndEmptySex() {
        ScriptedMessageService::Scope messages;
        const qint64 id = addTrainee({{"F_mainID", 1}, {"F_name", "甲"}, {"F_Sex", ""}, {"F_ZKZdate", "2024-05-06"},
                                      {"F_SKdate", "1900-08-14"}, {"F_RQ2", "1901-08-13"}});
        list->setCurrent(id);
        open(TfrmCltEdit::EditTrainee);
        QVERIFY(radio(editor.get(), "RadioGroup1", QStringLiteral("女"))->isChecked());
        QVERIFY(input<OptionalDateEdit>("dtpZKZdate")->isSet());
        for (const char* name : {"dtpSKdate", "dtpKm1Date", "dtpRQ2"}) QVERIFY2(!input<OptionalDateEdit>(name)->isSet(), name);
        input<OptionalDateEdit>("dtpZKZdate")->checkBox()->setChecked(false);
        input<OptionalDateEdit>("dtpKM3date")->setDate(QDate(2025, 1, 2));
        ok();
        QCOMPARE(stored(id, "F_Sex").toString(), QStringLiteral("女"));
        for (const char* column : {"F_ZKZdate", "F_SKdate", "F_KM1date", "F_RQ2"})
            QCOMPARE(stored(id, column).toString(), QStringLiteral("1900-08-14"));
        QCOMPARE(stored(id, "F_KM3date").toString(), QStringLiteral("2025-01-02"));
        open(TfrmCltEdit::EditTrainee);
        QVERIFY(!input<OptionalDateEdit>("dtpZKZdate")->isSet());
        QVERIFY(input<OptionalDateEdit>("dtpKM3date")->isSet());
    }

    void showAppliesOperatorSettings() {
        const qint64 id = addTrainee({{"F_mainID", 1}, {"F_name", "甲"}, {"F_SKprice", 12345.5}});
        list->setCurrent(id);
        open(TfrmCltEdit::EditTrainee);
        QCOMPARE(editor->windowTitle(), QStringLiteral("学员档案 - 修改"));
        QVERIFY(input("DBNavigator1")->isVisible());
        QVERIFY(!input("CheckBox1")->isVisible());
        QCOMPARE(input<MoneyEdit>("ceSKprice")->text(), QStringLiteral("￥12,345.50"));
        QStringList captions;
        for (QLabel* l : editor->findChild<QWidget*>(QStringLiteral("PageControl1"))->findChildren<QLabel*>())
            captions << l->text();
        QVERIFY(captions.contains(QStringLiteral("项1：")));
        QVERIFY(captions.contains(QStringLiteral("项11：")));
        // Amounts are typed plainly or in the money format.
        auto* refund = input<MoneyEdit>("ceTKprice");
        refund->selectAll();
        QTest::keyClicks(refund, "1234.5");
        refund->interpretText();
        QCOMPARE(refund->text(), QStringLiteral("￥1,234.50"));
        ok();
        QCOMPARE(stored(id, "F_TKprice").toDouble(), 1234.5);
        QCOMPARE(stored(id, "F_SKprice").toDouble(), 12345.5);
    }

    void paymentStateNeedsTheAuditRight_data() {
        QTest::addColumn<bool>("audit");
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QVariant>("after");
        QTest::newRow("audit") << true << QVariant(1) << QVariant(2);
        QTest::newRow("no right, paid") << false << QVariant(1) << QVariant(1);
        QTest::newRow("no right, odd value") << false << QVariant(7) << QVariant(7);
        QTest::newRow("no right, null") << false << QVariant() << QVariant();
    }
    void paymentStateNeedsTheAuditRight() {
        QFETCH(bool, audit);
        QFETCH(QVariant, before);
        QFETCH(QVariant, after);
        login(false, audit);
        const qint64 id = addTrainee({{"F_mainID", 1}, {"F_name", "甲"}, {"F_SKflag", before}});
        list->setCurrent(id);
        open(TfrmCltEdit::EditTrainee);
        QCOMPARE(input("rgSKflag")->isEnabled(), audit);
        radio(editor.get(), "rgSKflag", QStringLiteral("其  他"))->setChecked(true);
        text("edtLXphone")->setText(QStringLiteral("13800000000"));
        ok();
        QCOMPARE(stored(id, "F_LXphone").toString(), QStringLiteral("13800000000"));
        QCOMPARE(stored(id, "F_SKflag").isNull(), after.isNull());
        QCOMPARE(stored(id, "F_SKflag").toInt(), after.toInt());
    }

    void failingSaveIsRolledBackAndTold_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("new") << int(TfrmCltEdit::NewTrainee);
        QTest::newRow("edit") << int(TfrmCltEdit::EditTrainee);
    }
    void failingSaveIsRolledBackAndTold() {
        QFETCH(int, mode);
        ScriptedMessageService::Scope messages;
        const qint64 id = addTrainee({{"F_mainID", 1}, {"F_name", "甲"}});
        for (const char* event : {"insert", "update"})
            QVERIFY(dm().RunSQL(QStringLiteral("create trigger refuse_%1 before %1 on T_employee "
                                               "begin select raise(abort, 'disk full'); end")
                                    .arg(QLatin1String(event))));
        list->setCurrent(id);
        open(TfrmCltEdit::Mode(mode));
        text("edtName")->setText(QStringLiteral("乙"));
        QVERIFY(!editor->save());
        QCOMPARE(messages->texts_of(3), QStringList({QStringLiteral("保存失败，请检测数据库连接！")}));
        QVERIFY(editor->isVisible());
        QCOMPARE(text("edtName")->text(), QStringLiteral("乙"));
        QCOMPARE(count(), 1);
        QCOMPARE(stored(id, "F_name").toString(), QStringLiteral("甲"));
        QVERIFY(list->shownNames.isEmpty());
        QVERIFY(!dm().database().rollback());  // no transaction left open
    }

    void navigatorDropsUnsavedChanges() {
        ScriptedMessageService::Scope messages;
        const qint64 first = addTrainee({{"F_mainID", 1}, {"F_name", "甲"}});
        addTrainee({{"F_mainID", 2}, {"F_name", "乙"}});
        const qint64 last = addTrainee({{"F_mainID", 3}, {"F_name", "丙"}});
        list->setCurrent(first);
        open(TfrmCltEdit::EditTrainee);
        text("edtName")->setText(QStringLiteral("改了"));
        input<QToolButton>("nbNext")->click();
        QCOMPARE(text("edtName")->text(), QStringLiteral("乙"));
        input<QToolButton>("nbLast")->click();
        QCOMPARE(text("edtName")->text(), QStringLiteral("丙"));
        text("edtName")->setText(QStringLiteral("丙二"));
        ok();
        QCOMPARE(stored(first, "F_name").toString(), QStringLiteral("甲"));
        QCOMPARE(stored(last, "F_name").toString(), QStringLiteral("丙二"));
        QCOMPARE(list->currentTraineeId(), last);
    }

    // A saved trainee whose link number was lost gets its row key as link number.
    void editedTraineeWithoutLinkNumberGetsItsKey() {
        const qint64 id = addTrainee({{"F_mainID", 0}, {"F_name", "甲"}});
        list->setCurrent(id);
        open(TfrmCltEdit::EditTrainee);
        ok();
        QCOMPARE(stored(id, "F_mainID").toLongLong(), id);
    }
};

QTEST_MAIN(TestCltEdit)
#include "tst_cltedit.moc"
