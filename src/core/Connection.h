#pragma once

#include <QString>
#include <functional>

class TdmData;

// What the connection step shows while it works: the start-up window's status
// line, and hiding and showing that window around the recovery dialog.
struct ConnectionHooks {
    std::function<void(const QString&)> status = [](const QString&) {};
    std::function<void()> hideSplash = [] {};
    std::function<void()> showSplash = [] {};
};

// Opens the configured database. While it cannot be opened, asks for the file in
// another folder (only the folder is stored, in config / ds) and tries again.
// Returns false when the user cancels.
bool connectWithRecovery(TdmData& dm, const ConnectionHooks& hooks);
