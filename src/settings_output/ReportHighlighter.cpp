#include "ReportHighlighter.h"

#include <QRegularExpression>

ReportHighlighter::ReportHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    tag_.setForeground(QColor(0x1f, 0x4e, 0x9c));
    token_.setForeground(QColor(0xb0, 0x30, 0x00));
    token_.setFontWeight(QFont::Bold);
    section_ = token_;
    section_.setBackground(QColor(0xff, 0xf3, 0xc4));
    comment_.setForeground(Qt::darkGreen);
}

void ReportHighlighter::highlightBlock(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("</?[A-Za-z][^>]*>"));
    static const QRegularExpression token(QStringLiteral("\\{\\{[^}]*\\}\\}"));
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"));
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), tag_);
    }
    for (auto it = comment.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        setFormat(int(m.capturedStart()), int(m.capturedLength()), comment_);
    }
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString inner = m.captured().mid(2).trimmed();
        const QChar first = inner.isEmpty() ? QChar() : inner[0];
        setFormat(int(m.capturedStart()), int(m.capturedLength()),
                  first == u'#' || first == u'/' ? section_ : token_);
    }
}
