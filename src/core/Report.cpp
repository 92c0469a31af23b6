#include "Report.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include "AppHome.h"
#include "CurrentOperator.h"
#include "DisplayRules.h"

namespace {

// Page tokens stay open until the page is painted; these private-use marks
// cannot come from a stored value because values are stripped of them.
const QChar kMark(0xE000);
const QString kPageMark = QString(kMark) + u'P';
const QString kPagesMark = QString(kMark) + u'N';

// Values print as typed: markup characters escaped, line breaks kept, and runs
// of blanks kept too (the grid's "其  他" has two).
QString escaped(const QString& value) {
    QString text = value;
    text.remove(kMark);
    text = text.toHtmlEscaped().replace(u'\n', QLatin1String("<br>"));
    if (!text.contains(QLatin1String("  "))) return text;
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    QString out;
    qsizetype last = 0;
    for (auto it = blanks.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        out += u' ' + QStringLiteral("&nbsp;").repeated(m.capturedLength() - 1);
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

bool looksLikeDate(const QString& text) {
    return text.size() >= 10 && text[4] == u'-' && text[7] == u'-' && text[0].isDigit() && text[9].isDigit();
}

// A value as the grid shows it, by the format a template asks for.
QString formatValue(const QVariant& value, const QString& format) {
    const QString f = format.trimmed().toLower();
    if (f == u"date") return DisplayRules::dateText(value);
    if (f == u"yesno") return DisplayRules::yesNo(value) ? QStringLiteral("是") : QStringLiteral("否");
    if (f == u"check") return DisplayRules::yesNo(value) ? QStringLiteral("√") : QString();
    if (f == u"paystate") return DisplayRules::paymentStateText(value);
    if (value.isNull() || value.toString().isEmpty()) return {};
    if (f == u"money") {
        const QString money = currentOperator().moneyFormat;
        return DisplayRules::formatNumber(value.toDouble(), money.isEmpty() ? QStringLiteral("0.00") : money);
    }
    if (!f.isEmpty()) return DisplayRules::formatNumber(value.toDouble(), format.trimmed());
    if (value.typeId() == QMetaType::Double) return DisplayRules::formatNumber(value.toDouble(), QString());
    const QString text = value.toString();
    // A no-date prints blank wherever it appears, as in the grids.
    if (looksLikeDate(text) && DisplayRules::isNoDate(text)) return {};
    return text;
}

struct Context {
    const ReportSource* band = nullptr;
    int row = -1;
};

enum class Area { Body, PageHeader, PageFooter };

class Renderer {
public:
    Renderer(const Report& report, int bandRowLimit) : report_(report), bandRowLimit_(bandRowLimit) {}

    RenderedReport run() {
        out_.bodyHtml = expand(report_.templateText(), {}, Area::Body);
        return out_;
    }

private:
    const ReportSource* source(const QString& name) const { return report_.source(name); }

    // Position just past the {{/name}} that closes a section opened before `from`, and
    // where its body ends; -1 when the section is never closed.
    static qsizetype sectionEnd(QStringView text, qsizetype from, const QString& name, qsizetype* bodyEnd) {
        int depth = 1;
        for (qsizetype pos = from;;) {
            const qsizetype open = text.indexOf(u"{{", pos);
            if (open < 0) return -1;
            const qsizetype close = text.indexOf(u"}}", open + 2);
            if (close < 0) return -1;
            const QString token = text.mid(open + 2, close - open - 2).trimmed().toString();
            if (token.size() > 1 && token[0] == u'#' && token.mid(1).trimmed().compare(name, Qt::CaseInsensitive) == 0)
                ++depth;
            else if (token.size() > 1 && token[0] == u'/' &&
                     token.mid(1).trimmed().compare(name, Qt::CaseInsensitive) == 0 && --depth == 0) {
                *bodyEnd = open;
                return close + 2;
            }
            pos = close + 2;
        }
    }

    QString expand(QStringView text, const Context& ctx, Area area) {
        QString out;
        qsizetype pos = 0;
        while (pos < text.size()) {
            const qsizetype open = text.indexOf(u"{{", pos);
            const qsizetype close = open < 0 ? -1 : text.indexOf(u"}}", open + 2);
            if (close < 0) {
                out += text.mid(pos);
                break;
            }
            out += text.mid(pos, open - pos);
            const QString token = text.mid(open + 2, close - open - 2).trimmed().toString();
            pos = close + 2;
            if (token.startsWith(u'#')) {
                const QString name = token.mid(1).trimmed();
                qsizetype bodyEnd = 0;
                const qsizetype end = sectionEnd(text, pos, name, &bodyEnd);
                if (end < 0) break;  // an unclosed section prints nothing of its rest
                section(name, text.mid(pos, bodyEnd - pos), ctx, area, &out);
                pos = end;
            } else if (!token.startsWith(u'/')) {
                out += value(token, ctx, area);
            }
        }
        return out;
    }

    void section(const QString& name, QStringView body, const Context& ctx, Area area, QString* out) {
        if (name.compare(u"pageheader", Qt::CaseInsensitive) == 0) {
            out_.pageHeaderHtml += expand(body, ctx, Area::PageHeader);
        } else if (name.compare(u"pagefooter", Qt::CaseInsensitive) == 0) {
            out_.pageFooterHtml += expand(body, ctx, Area::PageFooter);
        } else if (const ReportSource* s = source(name)) {
            // An unbound source (frxDD) simply gives no rows.
            const int rows = bandRowLimit_ < 0 ? int(s->rows.size()) : std::min(int(s->rows.size()), bandRowLimit_);
            // Only a band outside any other writes straight into the body text.
            RenderedReport::Band* band = nullptr;
            if (area == Area::Body && !ctx.band) band = &out_.bodyBands.emplaceBack(RenderedReport::Band{out->size(), {}});
            for (int row = 0; row < rows; ++row) {
                *out += expand(body, {s, row}, area);
                if (band) band->rowEnds << out->size();
            }
        }
    }

    QString value(const QString& token, const Context& ctx, Area area) {
        const QString lower = token.toLower();
        if (lower == u"@landscape") out_.landscape = true;
        else if (lower == u"@portrait") out_.landscape = false;
        else if (lower.startsWith(u"@margins")) {
            bool ok = false;
            const double mm = lower.mid(8).trimmed().toDouble(&ok);
            if (ok && mm >= 0 && mm <= 50) out_.marginMm = mm;
        }
        if (lower.startsWith(u'@')) return {};
        if (lower == u"page") return area == Area::Body ? QString() : kPageMark;
        if (lower == u"pages") return area == Area::Body ? QString() : kPagesMark;
        if (lower == u"date") return escaped(report_.printDate().toString(QStringLiteral("yyyy-MM-dd")));
        if (lower == u"school") return escaped(report_.schoolName());
        if (lower == u"row") return ctx.band ? QString::number(ctx.row + 1) : QString();

        const QString format = token.section(u'|', 1);
        const QString ref = token.section(u'|', 0, 0).trimmed();
        const QString kind = ref.section(u':', 0, 0).trimmed().toLower();
        const QString arg = ref.section(u':', 1).trimmed();
        if (ref.contains(u':')) {
            if (kind == u"text") return escaped(report_.text(arg));
            if (kind == u"picture") return picture(arg, format);
            if (kind == u"count") {
                const ReportSource* s = source(arg);
                return QString::number(s ? s->rows.size() : 0);
            }
            if (kind == u"sum") return sum(arg, format);
            return {};
        }
        return escaped(formatValue(field(ref, ctx), format));
    }

    QVariant field(const QString& ref, const Context& ctx) {
        if (!ref.contains(u'.')) return ctx.band ? cell(*ctx.band, ctx.row, ref) : QVariant();
        const ReportSource* s = source(ref.section(u'.', 0, 0).trimmed());
        if (!s) return {};
        const QString column = ref.section(u'.', 1).trimmed();
        return cell(*s, s == ctx.band ? ctx.row : s->current, column);
    }

    // A band repeats the same fields for every row: their columns are looked up once.
    QVariant cell(const ReportSource& s, int row, const QString& column) {
        auto it = columns_.find({&s, column});
        if (it == columns_.end()) it = columns_.insert({&s, column}, s.columnIndex(column));
        return s.valueAt(row, *it);
    }

    QString sum(const QString& ref, const QString& format) const {
        const ReportSource* s = source(ref.section(u'.', 0, 0).trimmed());
        const QString column = ref.section(u'.', 1).trimmed();
        double total = 0;
        if (s)
            for (int row = 0; row < s->rows.size(); ++row) total += s->value(row, column).toDouble();
        return escaped(formatValue(total, format));
    }

    QString picture(const QString& name, const QString& size) {
        const QByteArray bytes = report_.picture(name);
        if (bytes.isEmpty()) return {};
        out_.pictures << bytes;
        QString tag = QStringLiteral("<img src=\"%1\"").arg(RenderedReport::pictureUrl(int(out_.pictures.size()) - 1));
        const QStringList wh = size.trimmed().toLower().split(u'x');
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            tag += QStringLiteral(" width=\"%1\" height=\"%2\"").arg(wh[0].toInt()).arg(wh[1].toInt());
        return tag + u'>';
    }

    const Report& report_;
    int bandRowLimit_;
    RenderedReport out_;
    QHash<QPair<const ReportSource*, QString>, int> columns_;
};

}  // namespace

QString RenderedReport::forPage(const QString& html, int page, int pages) {
    QString text = html;
    return text.replace(kPageMark, QString::number(page)).replace(kPagesMark, QString::number(pages));
}

QString RenderedReport::pageMark() { return kPageMark; }
QString RenderedReport::pageCountMark() { return kPagesMark; }

QString Report::templatePath(const AppHome& home, const QString& baseName) {
    return home.reportDir() + u'/' + baseName + templateExtension();
}

bool Report::loadFromFile(const QString& path) {
    template_.clear();
    fileName_.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    template_ = QString::fromUtf8(file.readAll());
    fileName_ = path;
    return true;
}

bool Report::saveToFile(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(template_.toUtf8()) < 0 || !file.commit()) return false;
    fileName_ = path;
    return true;
}

void Report::bind(const ReportSource& source) {
    unbind(source.name);
    sources_ << source;
}

void Report::unbind(const QString& name) {
    sources_.removeIf([&](const ReportSource& s) { return s.name.compare(name, Qt::CaseInsensitive) == 0; });
}

const ReportSource* Report::source(const QString& name) const {
    for (const ReportSource& s : sources_)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

RenderedReport Report::render(int bandRowLimit) const { return Renderer(*this, bandRowLimit).run(); }
