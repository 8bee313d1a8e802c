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
    // The per-drive submenus of the notification-area menu; the lock state shows as the check
    // mark of `lock` and `unlock`.
    struct Submenus {
        ui::MenuArray& lock;
        ui::MenuArray& unlock;
        ui::MenuArray& open;
        ui::MenuArray& close;
    };
    DriveList(ui::ImageCombo& selector, Submenus submenus)
        : selector_(selector), submenus_(submenus) {
        // Unlocked: a green ring, open; locked: a red disc, closed. Without colour the shape
        // still tells them apart (and the entry's text says it).
        selector_.setPictures({{{0, 170, 0}, true}, {{210, 0, 0}, false}});
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

    // Follows the optical drives the system reports now (`letters`, in letter order): a drive
    // gone leaves the list, the selector and the four submenus (a letter that changed is one
    // gone and one new); a new one comes in at its place, unlocked. A letter in `wentAway` is a
    // new drive even when it is listed again: the system took its device away meanwhile, and
    // one plugged in under that letter starts unlocked. Entry k stays entry k of the selector
    // and element k of every submenu; the selection stays on its drive, or goes to the first
    // entry when that drive went. Returns the entries that are new.
    std::vector<int> Follow(const std::vector<std::string>& letters,
                            const std::vector<std::string>& wentAway = {});

  private:
    void ShowInSubmenus();

    ui::ImageCombo& selector_;
    Submenus submenus_;
    std::vector<Drive> drives_;
};

}  // namespace velkor
