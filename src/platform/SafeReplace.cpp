#include "platform/SafeReplace.h"

namespace velkor {

ReplaceOutcome ReplaceKeepingACopy(ReplaceSteps& steps, const std::wstring& target,
                                   const std::wstring& temporary, const std::wstring& backup) {
    const unsigned long error = steps.Swap(target, temporary, backup);
    if (error == 0) {
        steps.Delete(backup);
        return {};
    }
    if (steps.Exists(target)) {
        // The target kept its name and its old content (a file held open, say): the write failed.
        steps.Delete(temporary);
        if (steps.Exists(backup)) steps.Delete(backup);  // a copy of the target's content
        return {error, {}};
    }
    // The old content went to the backup (or is gone), and the temporary still holds the new one.
    if (steps.Move(temporary, target) == 0) {
        if (steps.Exists(backup)) steps.Delete(backup);
        return {};
    }
    if (steps.Exists(backup) && steps.Move(backup, target) == 0) {
        steps.Delete(temporary);
        return {error, {}};
    }
    return {error, steps.Exists(backup) ? backup : temporary};
}

}  // namespace velkor
