// Screenshots in the browser: the PNG is made in the page's memory and handed to the browser as
// a download under the screenshot's name.
#include <emscripten.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/display/ddraw.h"
#include "platform/pictures/screenshot.h"
#include "platform/pictures/screenshot_png.h"

namespace {
// The file at path (the page's memory) offered to the browser as a download called name.
EM_JS(int, OfferDownload, (const char* path, const char* name), {
    const bytes = FS.readFile(UTF8ToString(path));
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], {
        type:
            'image/png'
    }));
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(
        function() { URL.revokeObjectURL(link.href); }, 10000);
    return 1;
});
}  // namespace

std::string PicturesFolder() {
    return "the browser's downloads";
}

ScreenshotOutcome SaveScreenshot(const IDirectDrawSurface& surface, const std::string& folder,
                                 std::time_t when) {
    if (surface.pixels() == nullptr) return {false, folder + ": there is no frame to save"};
    const std::string name = screenshot_png::NameAt(when, 1);
    const std::string temporary = "/tmp/" + name;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return {false, folder + ": " + std::strerror(errno)};
    if (!screenshot_png::WriteFrame(surface, file)) {
        ::unlink(temporary.c_str());
        return {false, folder + ": the picture could not be made"};
    }
    const int offered = OfferDownload(temporary.c_str(), name.c_str());
    ::unlink(temporary.c_str());
    if (offered == 0) return {false, folder + ": the browser took no download"};
    return {true, name};
}
