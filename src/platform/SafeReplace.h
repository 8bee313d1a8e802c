#pragma once
// Putting a newly written temporary file in place of a file, so that whatever step of the
// system's replace fails, one name still holds the old or the new content: the last copy is never
// deleted.
#include <string>

namespace velkor {

// The system's file steps. Paths are the system's wide paths.
class ReplaceSteps {
  public:
    virtual ~ReplaceSteps() = default;
    // `target` gets `temporary`'s content and name, its old content kept as `backup`; 0 or the
    // system's error code. A failure may leave the old content under `backup` and no `target`.
    virtual unsigned long Swap(const std::wstring& target, const std::wstring& temporary,
                               const std::wstring& backup) = 0;
    // Renames `from` to `to`, which is not there; 0 or the system's error code.
    virtual unsigned long Move(const std::wstring& from, const std::wstring& to) = 0;
    virtual bool Exists(const std::wstring& path) const = 0;
    virtual void Delete(const std::wstring& path) = 0;
};

struct ReplaceOutcome {
    unsigned long error = 0;  // 0: the new content is in place; else the swap's error code
    // Set when neither content could be put back under the target's name: where the old
    // content is kept (or the new one, when there is no old one left).
    std::wstring keptAs;
};

// Swaps `temporary` into `target` through `backup`. When the swap fails with the target's name
// gone (the system moved the old content to the backup, or dropped it), the new content is moved
// into place; failing that, the old one is put back. Files are deleted only once another name
// holds their content.
ReplaceOutcome ReplaceKeepingACopy(ReplaceSteps& steps, const std::wstring& target,
                                   const std::wstring& temporary, const std::wstring& backup);

}  // namespace velkor
