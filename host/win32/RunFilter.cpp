#include "host/win32/RunFilter.h"

#include "host/Failure.h"
#include "host/HostImage.h"
#include "paint/Image.h"

namespace app {

// Until the painting window exists, a run takes the host image into a document image and
// hands it back unchanged.
int RunFilter(HWND /*hostWindow*/) {
    try {
        const ImageSize size = GetHostImageSize();
        Image image;
        image.Create(size.width, size.height, 4);
        image.Clear();
        ReadHostImage(image);
        WriteHostImage(image);
    } catch (...) {
        ReportFailure(nullptr);
    }
    return 0;
}

}  // namespace app
