#include "DemoData.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <array>

#include "Transaction.h"

namespace DemoData {

namespace {

// A small fixed generator: the standard distributions differ between library versions.
class Random {
public:
    explicit Random(quint64 seed) : state_(seed) {}
    quint32 next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32(state_ >> 33);
    }
    int below(int n) { return n <= 0 ? 0 : int(next() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N>
    const T& pick(const std::array<T, N>& items) { return items[size_t(below(int(N)))]; }
    const QString& pick(const QStringList& items) { return items[below(int(items.size()))]; }

private:
    quint64 state_;
};

const std::array<const char*, 40> kSurnames = {
    "王", "王", "王", "李", "李", "张", "张", "刘", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马", "朱", "胡",
    "郭", "何", "高", "林", "罗", "郑", "梁", "谢", "宋", "唐", "许", "韩", "冯", "邓", "曹", "彭", "曾", "肖", "田", "董"};
const std::array<const char*, 48> kGiven = {
    "小明", "小红", "小刚", "小燕", "小军", "伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "洋", "艳", "勇",
    "军", "杰", "娟", "涛", "明", "超", "秀英", "霞", "平", "刚", "桂英", "建华", "建国", "志强", "海燕", "晓东",
    "文博", "子涵", "欣怡", "浩然", "雨轩", "梓萱", "宇航", "思远", "佳怡", "俊杰", "嘉欣", "天佑", "一鸣", "若曦",
    "小龙", "晨曦"};
const std::array<const char*, 12> kDistricts = {"福田区", "罗湖区", "南山区", "宝安区", "龙岗区", "龙华区",
                                                "盐田区", "坪山区", "光明区", "大鹏新区", "东莞市", "惠州市"};
const std::array<const char*, 10> kStreets = {"人民路", "建设路", "解放路", "中山路", "和平路",
                                              "新华路", "友谊路", "胜利路", "文化路", "迎宾大道"};
// Licence classes weighted as a school sees them: most trainees take C1 or C2.
const std::array<const char*, 20> kClasses = {"C1", "C1", "C1", "C1", "C1", "C1", "C1", "C1", "C2", "C2",
                                              "C2", "C2", "B2", "B2", "A1", "A2", "B1", "D", "E", "C3"};
const std::array<const char*, 4> kSubjects = {"科目一", "桩考", "七选三", "科目三"};
const std::array<const char*, 5> kAwokeTimes = {"08:30", "09:00", "10:00", "14:00", "15:30"};
const std::array<const char*, 5> kCaptions = {"预约科目一考试", "桩考练车安排", "补交学费", "领取驾驶证", "体检提醒"};
const std::array<const char*, 6> kBrands = {"桑塔纳", "捷达", "富康", "大众宝来", "东风", "解放"};
const std::array<const char*, 5> kColours = {"白色", "银色", "红色", "蓝色", "黑色"};

QString str(const char* s) { return QString::fromUtf8(s); }
QString isoDate(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString noDate() { return QStringLiteral("1900-08-14"); }

QByteArray resource(const char* name) {
    QFile f(QStringLiteral(":/velmor/data/demo/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString personName(Random& r) { return str(r.pick(kSurnames)) + str(r.pick(kGiven)); }

QString idCard(Random& r, const QDate& birth) {
    QString id = QStringLiteral("4403%1%2").arg(r.below(100), 2, 10, QLatin1Char('0')).arg(birth.toString(QStringLiteral("yyyyMMdd")));
    id += QStringLiteral("%1").arg(r.below(1000), 3, 10, QLatin1Char('0'));
    id += QStringLiteral("0123456789X")[r.below(11)];
    return id;
}

QString phone(Random& r) {
    return QStringLiteral("1%1%2").arg(3 + r.below(6)).arg(r.below(1000000000), 9, 10, QLatin1Char('0'));
}

struct Staff {
    QStringList coaches, salesmen, office, plates;
};

bool exec(QSqlQuery& q, QString* error) {
    if (q.exec()) return true;
    if (error) *error = q.lastError().text();
    return false;
}

bool fillStaff(QSqlDatabase& db, Random& r, int trainees, Staff& staff, QString* error) {
    const int coaches = std::max(6, trainees / 300);
    const int salesmen = std::max(3, trainees / 1500);
    const int office = 4;
    const QByteArray photos[] = {resource("photo1.jpg"), resource("photo2.jpg")};
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "insert into EmpList (F_code, F_name, F_sex, F_dept, F_duty, F_xueLI, F_phone, F_birthday, F_SFZcode, "
        "F_email, F_address, F_memo1, F_flag, F_imagepath, F_empImage, F_HYstatus, F_JZjibie, F_LYdate) "
        "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    const int total = coaches + salesmen + office;
    QSet<QString> used;
    for (int i = 0; i < total; ++i) {
        const bool isCoach = i < coaches, isSalesman = !isCoach && i < coaches + salesmen;
        // Trainee files refer to staff by name, so staff names must be unique.
        QString name = personName(r);
        if (used.contains(name)) name += QString::number(i);
        used.insert(name);
        (isCoach ? staff.coaches : isSalesman ? staff.salesmen : staff.office).append(name);
        const QDate birth = QDate(1960, 1, 1).addDays(r.below(365 * 35));
        const bool male = r.chance(isCoach ? 85 : 50);
        const bool photo = r.chance(30);
        q.bindValue(0, QStringLiteral("%1").arg(i + 1, 3, 10, QLatin1Char('0')));
        q.bindValue(1, name);
        q.bindValue(2, male ? str("男") : str("女"));
        q.bindValue(3, isCoach ? str("教练部") : isSalesman ? str("招生部") : str("办公室"));
        q.bindValue(4, isCoach ? str("教练员") : isSalesman ? str("业务员") : str("文员"));
        q.bindValue(5, str(r.chance(50) ? "高中" : "大专"));
        q.bindValue(6, phone(r));
        q.bindValue(7, isoDate(birth));
        q.bindValue(8, idCard(r, birth));
        q.bindValue(9, QStringLiteral("staff%1@example.com").arg(i + 1));
        q.bindValue(10, str(r.pick(kDistricts)) + str(r.pick(kStreets)) + QString::number(1 + r.below(300)) + str("号"));
        q.bindValue(11, QString());
        q.bindValue(12, r.chance(5) ? 1 : 0);
        q.bindValue(13, photo ? QStringLiteral("staff%1.jpg").arg(i + 1) : QString());
        q.bindValue(14, photo ? QVariant(photos[i % 2]) : QVariant(QMetaType(QMetaType::QByteArray)));
        q.bindValue(15, str(r.chance(60) ? "已婚" : "未婚"));
        q.bindValue(16, isCoach ? str("A1") : str("C1"));
        q.bindValue(17, isoDate(QDate(2005, 1, 1).addDays(r.below(365 * 15))));
        if (!exec(q, error)) return false;
    }

    const QByteArray carPhoto = resource("car1.jpg");
    q.prepare(QStringLiteral(
        "insert into CarList (F_code, F_name, F_xingHao, F_type, F_yanSE, F_FDJcode, F_CJcode, F_ZaiZhong, "
        "F_ZuoWei, F_YouHao, F_KaiShiLC, F_GRdate, F_GRprice, F_JSYemp, F_dept, F_BanZu, F_status, F_memo1, "
        "F_flag, F_CarImage1, F_ImagePath1) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int i = 0; i < coaches; ++i) {
        const QString plate = str("粤B") + QStringLiteral("%1").arg(1000 + i, 4, 10, QLatin1Char('0')) + str("学");
        staff.plates.append(plate);
        const bool photo = r.chance(40);
        q.bindValue(0, plate);
        q.bindValue(1, str(r.pick(kBrands)));
        q.bindValue(2, QStringLiteral("JX-%1").arg(100 + r.below(900)));
        q.bindValue(3, str(i % 5 == 0 ? "B2" : "C1"));
        q.bindValue(4, str(r.pick(kColours)));
        q.bindValue(5, QStringLiteral("FD%1").arg(r.below(100000000), 8, 10, QLatin1Char('0')));
        q.bindValue(6, QStringLiteral("LSV%1").arg(r.below(100000000), 8, 10, QLatin1Char('0')));
        q.bindValue(7, i % 5 == 0 ? 5.0 : 1.5);
        q.bindValue(8, QString::number(i % 5 == 0 ? 30 : 5));
        q.bindValue(9, QStringLiteral("0.0%1").arg(7 + r.below(5)));
        q.bindValue(10, double(r.below(200000)));
        q.bindValue(11, isoDate(QDate(2010, 1, 1).addDays(r.below(365 * 12))));
        q.bindValue(12, double(60000 + r.below(120000)));
        q.bindValue(13, staff.coaches[i]);
        q.bindValue(14, str("教练部"));
        q.bindValue(15, str(i % 2 ? "一组" : "二组"));
        q.bindValue(16, str(r.chance(90) ? "正常" : "维修"));
        q.bindValue(17, QString());
        q.bindValue(18, r.chance(5) ? 1 : 0);
        q.bindValue(19, photo ? QVariant(carPhoto) : QVariant(QMetaType(QMetaType::QByteArray)));
        q.bindValue(20, photo ? QStringLiteral("car%1.jpg").arg(i + 1) : QString());
        if (!exec(q, error)) return false;
    }
    return true;
}

}  // namespace

bool fill(QSqlDatabase db, int trainees, QString* error) {
    Random r(20121201);
    Transaction tx(db);
    if (!tx.active()) {
        if (error) *error = db.lastError().text();
        return false;
    }
    Staff staff;
    if (!fillStaff(db, r, trainees, staff, error)) return false;

    const QByteArray photos[] = {resource("photo1.jpg"), resource("photo2.jpg")};
    const QDate today = QDate::currentDate();
    // Enrolments spread over the last six years, oldest first, so file numbers rise with the rows.
    const QDate first = today.addYears(-6);
    const qint64 span = first.daysTo(today);

    QSqlQuery trainee(db), bk(db), sk(db), tx2(db);
    trainee.prepare(QStringLiteral(
        "insert into T_employee (F_mainID, F_code, F_name, F_SFZcode, F_BMdate, F_JTaddress, F_BKcarType, F_Sex, "
        "F_ZKZdate, F_LXphone, F_JLemp, F_CPcode, F_SKdate, F_SKprice, F_TKdate, F_TKprice, F_memo1, F_useFlag, "
        "F_kemu1, F_kemu1CJ, F_km1date, F_kemu2, F_zk1, F_zkdate, F_7x3, F_7x3date, F_kemu3, F_km3date, "
        "F_ZF1, F_ZF2, F_ZF3, F_ZF4, F_ZF5, F_SZ1, F_SZ2, F_SZ3, F_RQ1, F_RQ2, F_RQ3, F_empName, F_empImage, "
        "F_ImagePath, F_SKflag) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
        "?,?,?,?,?,?)"));
    bk.prepare(QStringLiteral(
        "insert into t_BKrec (F_mainID, F_ItemName, F_BKdate, F_IFtg, F_FZemp, F_memo1, F_editDate, F_opername) "
        "values (?,?,?,?,?,?,?,?)"));
    sk.prepare(QStringLiteral(
        "insert into t_SKrec (F_mainID, F_SKprice, F_SKemp, F_SKdate, F_SHemp, F_SHdate, F_memo1, F_editDate, "
        "F_operName) values (?,?,?,?,?,?,?,?,?)"));
    tx2.prepare(QStringLiteral(
        "insert into t_TXrec (F_mainID, F_awokeDate, F_awokeTime, F_caption, F_memo1, F_editDate, F_operName) "
        "values (?,?,?,?,?,?,?)"));

    QString month;
    int sequence = 0;
    const QString admin = QStringLiteral("admin");
    for (int i = 0; i < trainees; ++i) {
        const QDate enrolled = first.addDays(qint64(double(i) / std::max(1, trainees) * double(span)));
        const QString m = enrolled.toString(QStringLiteral("yyyyMM"));
        if (m != month) {
            month = m;
            sequence = 0;
        }
        ++sequence;
        const qint64 age = enrolled.daysTo(today);
        const QDate birth = enrolled.addYears(-(18 + r.below(30))).addDays(-r.below(365));
        const bool male = r.chance(60);
        const int coach = r.below(int(staff.coaches.size()));
        const double fee = 3000 + 100 * r.below(40);
        // Trainees of past years have mostly finished; this year's are spread over the subjects.
        const int pass = age > 365 ? 98 : 85;
        const bool km1 = age > 40 && r.chance(pass);
        const bool zk = km1 && age > 90 && r.chance(pass);
        const bool x73 = zk && age > 100 && r.chance(pass);
        const bool km3 = x73 && age > 150 && r.chance(pass);
        const bool photo = r.chance(5);
        const QString d = isoDate(enrolled);
        const auto dateOr = [&](bool set, int days) { return set ? isoDate(enrolled.addDays(days)) : noDate(); };
        const int mainId = i + 1;
        const QVariantList values = {
            mainId,
            // Every hundredth file number is typed by hand, as offices do for transferred trainees.
            i % 100 == 99 ? QStringLiteral("ZR%1").arg(mainId) : QStringLiteral("Y%1%2").arg(m).arg(sequence, 3, 10, QLatin1Char('0')),
            personName(r),
            idCard(r, birth),
            d,
            str(r.pick(kDistricts)) + str(r.pick(kStreets)) + QString::number(1 + r.below(500)) + str("号"),
            str(r.pick(kClasses)),
            male ? str("男") : str("女"),
            dateOr(age > 20, 20),
            phone(r),
            staff.coaches[coach],
            staff.plates[coach],
            d,
            fee,
            r.chance(3) ? isoDate(enrolled.addDays(30)) : noDate(),
            r.chance(3) ? 500.0 : 0.0,
            r.chance(10) ? str("周末班") : QString(),
            km3 && r.chance(95) ? 1 : 0,
            km1 ? 1 : 0,
            km1 ? 80 + r.below(21) : 0,
            dateOr(km1, 40),
            0,
            zk ? 1 : 0,
            dateOr(zk, 90),
            x73 ? 1 : 0,
            dateOr(x73, 100),
            km3 ? 1 : 0,
            dateOr(km3, 150),
            r.chance(30) ? str("学生") : QString(), QString(), QString(), QString(), QString(),
            r.chance(20) ? QVariant(double(r.below(100))) : QVariant(), QVariant(), QVariant(),
            r.chance(20) ? QVariant(isoDate(enrolled.addDays(r.below(60)))) : QVariant(noDate()), noDate(), noDate(),
            r.pick(staff.salesmen),
            photo ? QVariant(photos[i % 2]) : QVariant(QMetaType(QMetaType::QByteArray)),
            photo ? QStringLiteral("photo%1.jpg").arg(mainId) : QString(),
            r.chance(70) ? 1 : r.chance(80) ? 0 : 2,
        };
        for (int v = 0; v < values.size(); ++v) trainee.bindValue(v, values[v]);
        if (!exec(trainee, error)) return false;

        // Make-up exams: failures are retaken, about one trainee in two has one.
        for (int n = r.chance(50) ? 1 + r.below(2) : 0; n > 0; --n) {
            const QDate when = enrolled.addDays(30 + r.below(200));
            bk.bindValue(0, mainId);
            bk.bindValue(1, str(r.pick(kSubjects)));
            bk.bindValue(2, isoDate(when));
            bk.bindValue(3, r.chance(70) ? 1 : 0);
            bk.bindValue(4, staff.coaches[coach]);
            bk.bindValue(5, QString());
            bk.bindValue(6, isoDate(when) + QStringLiteral(" 10:00:00"));
            bk.bindValue(7, admin);
            if (!exec(bk, error)) return false;
        }
        // Payments: the fee in one or two instalments; most older ones audited.
        const int instalments = r.chance(60) ? 1 : 2;
        for (int n = 0; n < instalments; ++n) {
            const QDate when = enrolled.addDays(n * 30);
            const bool audited = age > 60 && r.chance(80);
            sk.bindValue(0, mainId);
            sk.bindValue(1, fee / instalments);
            sk.bindValue(2, r.pick(staff.salesmen));
            sk.bindValue(3, isoDate(when));
            sk.bindValue(4, audited ? admin : QString());
            sk.bindValue(5, audited ? isoDate(when.addDays(3)) : noDate());
            sk.bindValue(6, QString());
            sk.bindValue(7, isoDate(when) + QStringLiteral(" 09:30:00"));
            sk.bindValue(8, admin);
            if (!exec(sk, error)) return false;
        }
        // Reminders, mostly for trainees still in training.
        if (r.chance(age < 200 ? 60 : 10)) {
            const QDate when = age < 200 ? today.addDays(r.below(30) - 5) : enrolled.addDays(60);
            tx2.bindValue(0, mainId);
            tx2.bindValue(1, isoDate(when));
            tx2.bindValue(2, str(r.pick(kAwokeTimes)));
            tx2.bindValue(3, str(r.pick(kCaptions)));
            tx2.bindValue(4, QString());
            tx2.bindValue(5, isoDate(enrolled));
            tx2.bindValue(6, admin);
            if (!exec(tx2, error)) return false;
        }
    }
    if (!tx.commit()) {
        if (error) *error = db.lastError().text();
        return false;
    }
    // Statistics let the planner pick the selective index for each filter of the lists.
    QSqlQuery(db).exec(QStringLiteral("ANALYZE"));
    return true;
}

}  // namespace DemoData
