#pragma once
// The drive list: the optical drives in ascending letter order, each with the lock state the
// program holds for it. Entry k (from 1) is entry k of the drive selector and element k of each
// per-drive submenu; the letter is the entry's data, its label only shows it.
#include <string>
#include <vector>

#include "platform/Drives.h"
#include "ui/ImageCombo.h"
#include "ui/Menu.h"

namespace velkor {

// Picture indexes of the drive selector's image list.
inline constexpr int kPictureUnlocked = 1;  // green
inline constexpr int kPictureLocked = 2;    // red

struct Drive {
    std::string letter;  // "D:"
    bool locked = false;
};

// The optical drives the system reports, in letter order ("D:", "E:").
std::vector<std::string> OpticalDrives(Drives& drives);

class DriveList {
  public:
    // The lock state shows in `selector` and as the check mark of `lockSub` and `unlockSub`.
    DriveList(ui::ImageCombo& selector, ui::MenuArray& lockSub, ui::MenuArray& unlockSub)
        : selector_(selector), lockSub_(lockSub), unlockSub_(unlockSub) {
        selector_.setPictures({{0, 170, 0}, {210, 0, 0}});  // green, red
    }

    int count() const { return static_cast<int>(drives_.size()); }
    // Entry k; "Subscript out of range" (9) when there is none.
    const Drive& at(int k) const;
    // The letter of entry k, empty when there is none.
    std::string LetterOf(int k) const;
    // The entry selected in the selector, 0 for none.
    int selected() const { return selector_.selectedIndex(); }
    void Select(int k) { selector_.select(k); }

    // Adds `letter` at the end of the list and of the selector, unlocked.
    void Add(const std::string& letter);
    // Entry k is (or stays) `locked`: kept, and shown in the selector and the submenus.
    void Show(int k, bool locked);
    // Every entry counts as unlocked again, without showing it (start-up, before its unlock).
    void ForgetLocks();

  private:
    ui::ImageCombo& selector_;
    ui::MenuArray& lockSub_;
    ui::MenuArray& unlockSub_;
    std::vector<Drive> drives_;
};

}  // namespace velkor
