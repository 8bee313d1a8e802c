#include "drives/DriveList.h"

#include "platform/RuntimeError.h"

namespace velkor {

std::vector<std::string> OpticalDrives(Drives& drives) {
    std::vector<std::string> letters;
    const uint32_t present = drives.LogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(present & (1u << (letter - 'A')))) continue;
        std::string text{letter, ':'};
        if (drives.TypeOf(text + "\\") == DriveType::CdRom) letters.push_back(text);
    }
    return letters;
}

const Drive& DriveList::at(int k) const {
    if (k < 1 || k > count()) throw SubscriptOutOfRange();
    return drives_[static_cast<size_t>(k - 1)];
}

std::string DriveList::LetterOf(int k) const {
    return k < 1 || k > count() ? std::string() : at(k).letter;
}

void DriveList::Add(const std::string& letter) {
    drives_.push_back({letter, false});
    selector_.add(count(), letter, kPictureUnlocked);
}

void DriveList::Show(int k, bool locked) {
    Drive& drive = drives_.at(static_cast<size_t>(k - 1));
    drive.locked = locked;
    selector_.setText(k, drive.letter + (locked ? " locked" : " unlocked"));
    selector_.setPicture(k, locked ? kPictureLocked : kPictureUnlocked);
    for (ui::MenuArray* sub : {&lockSub_, &unlockSub_}) {
        if (sub->exists(k)) (*sub)[k].setChecked(locked);
    }
}

void DriveList::ForgetLocks() {
    for (Drive& drive : drives_) drive.locked = false;
}

}  // namespace velkor
