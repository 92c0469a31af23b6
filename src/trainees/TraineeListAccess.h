#pragma once

#include <QString>
#include <QtGlobal>

// What the trainee editor needs of the main window's trainee list. The main
// window implements it over its trainee grid; the editor reads the current
// trainee's row itself by its key.
class TraineeListAccess {
public:
    enum class Navigation { First, Prior, Next, Last };

    virtual ~TraineeListAccess() = default;

    // F_ID of the list's current trainee; 0 when the list is empty.
    virtual qint64 currentTraineeId() = 0;
    // Moves the list's current row; false when it did not move.
    virtual bool moveTo(Navigation to) = 0;
    // After a save: reopens the list with the statement it holds, makes the first
    // row whose F_name equals the name current, and updates the record count.
    virtual void reloadAndShow(const QString& name) = 0;
};
