#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

#include "ReportSource.h"

class AppHome;

// What a template renders to: HTML for the body, the page header and footer
// repeated on every page (their page tokens still open), the page setup and
// the pictures the HTML refers to as "report-picture:<n>".
struct RenderedReport {
    QString bodyHtml;
    QString pageHeaderHtml;
    QString pageFooterHtml;
    bool landscape = false;
    double marginMm = 10;
    QList<QByteArray> pictures;
    // Where the rows of each band at the top level of the body lie in bodyHtml:
    // row i runs from rowEnds[i - 1] (start for the first) to rowEnds[i]. Lets a
    // long list be paged row by row instead of as one document.
    struct Band {
        qsizetype start = 0;
        QList<qsizetype> rowEnds;
    };
    QList<Band> bodyBands;

    // A header or footer with its page number and page count filled in.
    static QString forPage(const QString& html, int page, int pages);
    // What stands for the page number and the page count until then.
    static QString pageMark();
    static QString pageCountMark();
    static QString pictureUrl(int index) { return QStringLiteral("report-picture:%1").arg(index); }
};

// One report object: a template, the named text objects and the data sources
// bound to it. Windows own one each; rendering is plain text work, so the
// whole template language is testable without any window. The language is
// described in the README delivered with the templates in Qr/.
class Report {
public:
    static QString templateExtension() { return QStringLiteral(".vrpt"); }
    // Qr/<base name>.vrpt in the program home.
    static QString templatePath(const AppHome& home, const QString& baseName);

    // Loads a template; a missing or unreadable file leaves an empty template
    // without a file name, which renders an empty report. Returns whether it was read.
    bool loadFromFile(const QString& path);
    bool saveToFile(const QString& path);
    const QString& fileName() const { return fileName_; }
    const QString& templateText() const { return template_; }
    void setTemplateText(const QString& text) { template_ = text; }

    void setText(const QString& object, const QString& value) { texts_.insert(object.toLower(), value); }
    void clearTexts() { texts_.clear(); }
    void setPicture(const QString& name, const QByteArray& bytes) { pictures_.insert(name.toLower(), bytes); }
    void setSchoolName(const QString& name) { school_ = name; }
    void setPrintDate(const QDate& date) { printDate_ = date; }
    // A missing text object or picture is empty: the template prints nothing there.
    QString text(const QString& object) const { return texts_.value(object.toLower()); }
    QByteArray picture(const QString& name) const { return pictures_.value(name.toLower()); }
    const QString& schoolName() const { return school_; }
    // Today unless a date was set.
    QDate printDate() const { return printDate_.isValid() ? printDate_ : QDate::currentDate(); }

    // Binding a source replaces any earlier one of the same user name.
    void bind(const ReportSource& source);
    void unbind(const QString& name);
    const ReportSource* source(const QString& name) const;
    const QList<ReportSource>& sources() const { return sources_; }

    // bandRowLimit >= 0 stops every band after that many rows (the designer's live
    // view of a long list); sums and counts still cover every row.
    RenderedReport render(int bandRowLimit = -1) const;

private:
    QString fileName_;
    QString template_;
    QHash<QString, QString> texts_;
    QHash<QString, QByteArray> pictures_;
    QList<ReportSource> sources_;
    QString school_;
    QDate printDate_;
};
