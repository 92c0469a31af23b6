#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

// Colours a template's source: HTML tags, comments and the report's own {{...}} tokens.
class ReportHighlighter : public QSyntaxHighlighter {
public:
    explicit ReportHighlighter(QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    QTextCharFormat tag_, token_, section_, comment_;
};
