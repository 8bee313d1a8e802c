#include "win32/Handles.h"

#include <commctrl.h>

namespace velkor::win32 {

void ImageListTraits::Close(HIMAGELIST h) {
    ImageList_Destroy(h);
}

}  // namespace velkor::win32
