// A replace whose system steps fail part way never loses the file: table of the failures the
// system documents (Wine cannot produce them), on a file system in memory.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/SafeReplace.h"

namespace velkor {
namespace {

enum class OldContent { Kept, ToBackup, Dropped };  // where a failed swap leaves the target's

struct Disk : ReplaceSteps {
    std::map<std::wstring, std::string> files{{L"t", "old"}, {L"t.tmp", "new"}};
    unsigned long swapError = 0;
    OldContent old = OldContent::Kept;
    std::set<std::wstring> stuck;  // files another program holds: they cannot be moved

    unsigned long Swap(const std::wstring& t, const std::wstring& tmp,
                       const std::wstring& b) override {
        if (swapError == 0 || old == OldContent::ToBackup) files[b] = files[t];
        if (swapError == 0) files[t] = files[tmp], files.erase(tmp);
        if (swapError != 0 && old != OldContent::Kept) files.erase(t);
        return swapError;
    }
    unsigned long Move(const std::wstring& from, const std::wstring& to) override {
        if (stuck.contains(from) || !files.contains(from) || files.contains(to)) return 32;
        files[to] = files[from];
        files.erase(from);
        return 0;
    }
    bool Exists(const std::wstring& path) const override { return files.contains(path); }
    void Delete(const std::wstring& path) override {
        if (!stuck.contains(path)) files.erase(path);
    }
    std::string Listing() const {
        std::string out;
        for (const auto& [name, content] : files) {
            out += (out.empty() ? "" : " ") + std::string(name.begin(), name.end()) + "=" + content;
        }
        return out;
    }
};

TEST(SafeReplaceTest, AFailedSwapLeavesTheOldOrTheNewContentUnderSomeName) {
    struct Case {
        const char* name;
        unsigned long swapError;
        OldContent old;
        std::set<std::wstring> stuck;
        unsigned long error;
        const char* files;
        const char* keptAs;
    };
    const Case cases[] = {
        {"the swap succeeds", 0, OldContent::Kept, {}, 0, "t=new", ""},
        {"1176 with a backup: both keep their names",
         1176,
         OldContent::Kept,
         {},
         1176,
         "t=old",
         ""},
        {"1175: the old one could not be removed", 1175, OldContent::Kept, {}, 1175, "t=old", ""},
        {"1177: the old one under the backup name, the new moved in",
         1177,
         OldContent::ToBackup,
         {},
         0,
         "t=new",
         ""},
        {"1177, the new one held by a scanner: the old one put back",
         1177,
         OldContent::ToBackup,
         {L"t.tmp"},
         1177,
         "t=old t.tmp=new",
         ""},
        {"1177, neither can be moved: both kept",
         1177,
         OldContent::ToBackup,
         {L"t.tmp", L"t.bak"},
         1177,
         "t.bak=old t.tmp=new",
         "t.bak"},
        {"1176 without a backup: the old one gone, the new moved in",
         1176,
         OldContent::Dropped,
         {},
         0,
         "t=new",
         ""},
        {"the old one gone and the new stuck: the new one is the copy left",
         1176,
         OldContent::Dropped,
         {L"t.tmp"},
         1176,
         "t.tmp=new",
         "t.tmp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Disk disk;
        disk.swapError = c.swapError;
        disk.old = c.old;
        disk.stuck = c.stuck;
        const ReplaceOutcome outcome = ReplaceKeepingACopy(disk, L"t", L"t.tmp", L"t.bak");
        disk.stuck.clear();
        EXPECT_EQ(outcome.error, c.error);
        EXPECT_EQ(disk.Listing(), c.files);
        EXPECT_EQ(std::string(outcome.keptAs.begin(), outcome.keptAs.end()), c.keptAs);
    }
}

}  // namespace
}  // namespace velkor
