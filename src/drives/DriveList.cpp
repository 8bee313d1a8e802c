#include "drives/DriveList.h"

#include <algorithm>

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
    for (ui::MenuArray* sub : {&submenus_.lock, &submenus_.unlock}) {
        if (sub->exists(k)) (*sub)[k].setChecked(locked);
    }
}

void DriveList::ForgetLocks() {
    for (Drive& drive : drives_) drive.locked = false;
}

std::vector<int> DriveList::Follow(const std::vector<std::string>& letters,
                                   const std::vector<std::string>& wentAway) {
    std::vector<Drive> next;
    std::vector<ui::ComboEntry> entries;  // a kept drive keeps its label and picture
    std::vector<int> added;
    for (const std::string& letter : letters) {
        const bool replaced = std::find(wentAway.begin(), wentAway.end(), letter) != wentAway.end();
        auto kept = std::find_if(drives_.begin(), drives_.end(),
                                 [&](const Drive& d) { return d.letter == letter; });
        if (kept == drives_.end() || replaced) {
            next.push_back({letter, false});
            entries.push_back({letter, kPictureUnlocked});  // shown as unlocked below
            added.push_back(static_cast<int>(next.size()));
            continue;
        }
        next.push_back(*kept);
        entries.push_back(selector_.entry(static_cast<int>(kept - drives_.begin()) + 1));
    }
    auto sameLetters = [](const Drive& a, const Drive& b) {
        return a.letter == b.letter;
    };
    if (added.empty() &&
        std::equal(next.begin(), next.end(), drives_.begin(), drives_.end(), sameLetters)) {
        return {};  // a disc put in or taken out, another kind of device: no drive changed
    }
    const std::string selected = LetterOf(selector_.selectedIndex());
    drives_ = std::move(next);
    selector_.clear();
    int select = count() > 0 ? 1 : 0;
    for (int k = 1; k <= count(); ++k) {
        const ui::ComboEntry& entry = entries[static_cast<size_t>(k - 1)];
        selector_.add(k, entry.text, entry.picture);
        if (LetterOf(k) == selected) select = k;
    }
    selector_.select(select);
    ShowInSubmenus();
    for (int k : added) Show(k, false);
    return added;
}

void DriveList::ShowInSubmenus() {
    for (ui::MenuArray* sub :
         {&submenus_.lock, &submenus_.unlock, &submenus_.open, &submenus_.close}) {
        while (sub->upperBound() > count()) sub->unload(sub->upperBound());
        for (int k = 1; k <= count(); ++k) {
            ui::Menu& element = sub->exists(k) ? (*sub)[k] : sub->load(k);
            element.setCaption(LetterOf(k));
            element.setVisible(true);
            const bool showsLock = sub == &submenus_.lock || sub == &submenus_.unlock;
            element.setChecked(showsLock && at(k).locked);
        }
    }
}

}  // namespace velkor
