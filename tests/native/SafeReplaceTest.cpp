// A replace whose system steps fail part way never loses the file: the failures the system
// documents (Wine cannot produce them), on a file system in memory.
#include <gtest/gtest.h>

#include <map>

#include "platform/SafeReplace.h"

namespace velkor {
namespace {

struct Disk : ReplaceSteps {
    std::map<std::wstring, std::string> files{{L"t", "old"}, {L"t.tmp", "new"}};
    unsigned long swapError = 0;
    char old = 'k';      // where a failed swap leaves the old content: kept, backup, dropped
    std::wstring stuck;  // files another program holds ("t.tmp", "t.bak"): never moved or deleted

    bool Stuck(const std::wstring& path) const {
        return (L" " + stuck + L" ").find(L" " + path + L" ") != std::wstring::npos;
    }
    unsigned long Swap(const std::wstring& t, const std::wstring& tmp,
                       const std::wstring& b) override {
        if (swapError == 0 || old == 'b') files[b] = files[t];
        if (swapError == 0) files[t] = files[tmp], files.erase(tmp);
        if (swapError != 0 && old != 'k') files.erase(t);
        return swapError;
    }
    unsigned long Move(const std::wstring& from, const std::wstring& to) override {
        if (Stuck(from) || !files.contains(from) || files.contains(to)) return 32;
        files[to] = files[from], files.erase(from);
        return 0;
    }
    bool Exists(const std::wstring& path) const override { return files.contains(path); }
    void Delete(const std::wstring& path) override {
        if (!Stuck(path)) files.erase(path);
    }
};

TEST(SafeReplaceTest, AFailedSwapLeavesTheOldOrTheNewContentUnderSomeName) {
    struct Case {
        unsigned long swapError;
        char old;
        const wchar_t* stuck;
        unsigned long error;
        const char* files;  // what is left, name=content
        const wchar_t* keptAs;
    };
    const Case cases[] = {
        {0, 'k', L"", 0, "t=new", L""},                       // the swap succeeds
        {1176, 'k', L"", 1176, "t=old", L""},                 // with a backup: names kept
        {1175, 'k', L"", 1175, "t=old", L""},                 // the old one not removed
        {1177, 'b', L"", 0, "t=new", L""},                    // old to backup: new moved in
        {1177, 'b', L"t.tmp", 1177, "t=old t.tmp=new", L""},  // new held: old put back
        {1177, 'b', L"t.tmp t.bak", 1177, "t.bak=old t.tmp=new", L"t.bak"},  // both kept
        {1176, 'd', L"", 0, "t=new", L""},                   // no backup made: new moved in
        {1176, 'd', L"t.tmp", 1176, "t.tmp=new", L"t.tmp"},  // the new one is the copy left
    };
    for (const Case& c : cases) {
        Disk disk;
        disk.swapError = c.swapError, disk.old = c.old, disk.stuck = c.stuck;
        const ReplaceOutcome outcome = ReplaceKeepingACopy(disk, L"t", L"t.tmp", L"t.bak");
        std::string left;
        for (const auto& [name, content] : disk.files) {
            left +=
                (left.empty() ? "" : " ") + std::string(name.begin(), name.end()) + "=" + content;
        }
        EXPECT_EQ(outcome.error, c.error) << c.files;
        EXPECT_EQ(left, c.files);
        EXPECT_EQ(outcome.keptAs, c.keptAs) << c.files;
    }
}

}  // namespace
}  // namespace velkor
