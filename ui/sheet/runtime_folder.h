// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A runtime folder for Qt while vandrel-solve draws a build sheet. Qt Gui
// looks into XDG_RUNTIME_DIR as it starts, and where that is not set, or
// not a folder of the user's own with mode 0700, it warns (which
// QT_FATAL_WARNINGS=1 makes an abort) and makes one in /tmp that stays.

#include <string>

namespace vandrel::sheet {

/// While it lives, XDG_RUNTIME_DIR names a folder Qt takes as it is: the
/// one it names already when that is fit, else a new private folder, which
/// goes again, with whatever Qt put into it, when this ends.
class RuntimeFolder {
public:
    RuntimeFolder();
    ~RuntimeFolder();
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

private:
    std::string made_;      // the folder made here, or empty
    std::string previous_;  // XDG_RUNTIME_DIR before, when it was set
    bool was_set_ = false;
};

}  // namespace vandrel::sheet
