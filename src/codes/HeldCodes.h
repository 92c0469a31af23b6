#pragma once

#include <QString>

class TdmData;

// The codes of one type as the dictionary window edits them: a copy in a
// temporary table of the connection, which the window's grid shows and its
// editors change, written back to t_code all at once on "保存". Dropping the
// copy (取消, another type, closing the window) discards every change.
class HeldCodes {
public:
    explicit HeldCodes(TdmData& dm) : dm_(dm) {}
    ~HeldCodes();
    HeldCodes(const HeldCodes&) = delete;
    HeldCodes& operator=(const HeldCodes&) = delete;

    // Copies the type's codes in their stored order; false when that failed (told to the user).
    bool open(const QString& typeKey);
    // The grid's statement: F_row (the held row), F_ID (0 for new rows), F_name, F_code.
    static QString listSql();
    // Appends an empty row; its F_row, or 0 on failure.
    qint64 add();
    bool set(qint64 row, const QString& name, const QString& code);
    // Writes every held row to t_code with the type key (new rows are inserted),
    // in one transaction, then copies the type's codes afresh.
    bool save(const QString& typeKey);

private:
    TdmData& dm_;
};
