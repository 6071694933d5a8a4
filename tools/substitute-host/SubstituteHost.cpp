// Stands in for the host paint program: lays a PNG out as the host keeps its image (24-bit rows
// in blue, green, red order and one alpha byte per pixel), loads the filter library by path,
// calls FilterGetTitle and FilterProc exactly as the host does and saves what came back.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/HostInterface.h"
#include "host/win32/LibraryExport.h"
#include "tools/common/PngFile.h"
#include "tools/common/RunDriver.h"
#include "tools/substitute-host/AnswerProbe.h"
#include "tools/substitute-host/Screenshots.h"

namespace {

struct Options {
    std::string dll;
    std::string input;
    std::string output;
    std::string hostPath;
    std::string log;
    std::string screenshots;
    bool openManual = false;
    bool probeAnswers = false;
    bool window = true;
    bool hasWidth = false, hasHeight = false;
    int32_t width = 0, height = 0, bits = 24;
    bool nullImage = false, nullRead = false, nullWrite = false;
};

struct HostImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<unsigned char> colour;  // width * 3 per row, blue green red
    std::vector<unsigned char> alpha;   // width per row
};

HostImage g_image;
FILE* g_log = nullptr;

void Log(const char* format, ...) {
    if (!g_log)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

bool RowInside(int32_t row) {
    return row >= 0 && row < g_image.height;
}

// The row functions copy columns first..last, clamped to the stored picture.
int32_t Columns(int32_t first, int32_t last) {
    if (first < 0)
        first = 0;
    if (last >= g_image.width)
        last = g_image.width - 1;
    return last >= first ? last - first + 1 : 0;
}

int32_t ReadColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t constant) {
    Log("read-color %d %d %d %d", row, first, last, constant);
    if (RowInside(row))
        std::memcpy(buffer, &g_image.colour[(size_t(row) * g_image.width + first) * 3],
                    size_t(Columns(first, last)) * 3);
    return 1;
}

int32_t ReadAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t constant, int32_t one) {
    Log("read-alpha %d %d %d %d %d", row, first, last, constant, one);
    if (RowInside(row))
        std::memcpy(buffer, &g_image.alpha[size_t(row) * g_image.width + first], size_t(Columns(first, last)));
    return 1;
}

int32_t WriteColour(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t constant) {
    Log("write-color %d %d %d %d", row, first, last, constant);
    if (RowInside(row))
        std::memcpy(&g_image.colour[(size_t(row) * g_image.width + first) * 3], buffer,
                    size_t(Columns(first, last)) * 3);
    return 1;
}

int32_t WriteAlpha(int32_t row, int32_t first, int32_t last, unsigned char* buffer, int32_t constant, int32_t one) {
    Log("write-alpha %d %d %d %d %d", row, first, last, constant, one);
    if (RowInside(row))
        std::memcpy(&g_image.alpha[size_t(row) * g_image.width + first], buffer, size_t(Columns(first, last)));
    return 1;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= argc)
                return false;
            *out = argv[++i];
            return true;
        };
        std::string number;
        if (arg == "--dll") {
            if (!value(&options->dll))
                return false;
        } else if (arg == "--input") {
            if (!value(&options->input))
                return false;
        } else if (arg == "--output") {
            if (!value(&options->output))
                return false;
        } else if (arg == "--host-path") {
            if (!value(&options->hostPath))
                return false;
        } else if (arg == "--log") {
            if (!value(&options->log))
                return false;
        } else if (arg == "--screenshots") {
            if (!value(&options->screenshots))
                return false;
        } else if (arg == "--open-manual") {
            options->openManual = true;
        } else if (arg == "--probe-answers") {
            options->probeAnswers = true;
        } else if (arg == "--no-window") {
            options->window = false;
        } else if (arg == "--width") {
            if (!value(&number))
                return false;
            options->width = std::atoi(number.c_str());
            options->hasWidth = true;
        } else if (arg == "--height") {
            if (!value(&number))
                return false;
            options->height = std::atoi(number.c_str());
            options->hasHeight = true;
        } else if (arg == "--bits") {
            if (!value(&number))
                return false;
            options->bits = std::atoi(number.c_str());
        } else if (arg == "--null-image") {
            options->nullImage = true;
        } else if (arg == "--null-read") {
            options->nullRead = true;
        } else if (arg == "--null-write") {
            options->nullWrite = true;
        } else
            return false;
    }
    return !options->dll.empty() && !options->input.empty();
}

void LayOut(const tools::RgbaPicture& picture) {
    g_image.width = picture.width;
    g_image.height = picture.height;
    g_image.colour.resize(size_t(picture.width) * picture.height * 3);
    g_image.alpha.resize(size_t(picture.width) * picture.height);
    for (size_t i = 0; i < g_image.alpha.size(); ++i) {
        g_image.colour[3 * i] = picture.pixels[4 * i + 2];
        g_image.colour[3 * i + 1] = picture.pixels[4 * i + 1];
        g_image.colour[3 * i + 2] = picture.pixels[4 * i];
        g_image.alpha[i] = picture.pixels[4 * i + 3];
    }
}

tools::RgbaPicture PictureOf(const HostImage& image) {
    tools::RgbaPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    picture.pixels.resize(image.alpha.size() * 4);
    for (size_t i = 0; i < image.alpha.size(); ++i) {
        picture.pixels[4 * i] = image.colour[3 * i + 2];
        picture.pixels[4 * i + 1] = image.colour[3 * i + 1];
        picture.pixels[4 * i + 2] = image.colour[3 * i];
        picture.pixels[4 * i + 3] = image.alpha[i];
    }
    return picture;
}

HWND CreateHostWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "SubstituteHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("SubstituteHost", "Substitute host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window)
        ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

using FilterGetTitleFunction = int32_t (*)(int32_t, char*, int32_t*, int32_t*);
using FilterProcFunction =
    int32_t (*)(HWND, const HostImageInfo*, const HostRowAccess*, const HostRowAccess*, const char*);

// Loads the library and finds its two exports, as the host does; logs whether the underscore
// names are the same functions.
bool LoadFilter(const std::string& dll, FilterGetTitleFunction* getTitle, FilterProcFunction* filterProc) {
    HMODULE library = LoadLibraryA(dll.c_str());
    if (!library) {
        std::fprintf(stderr, "%s: cannot be loaded (error %lu)\n", dll.c_str(), GetLastError());
        return false;
    }
    *getTitle = app::LibraryExport<FilterGetTitleFunction>(library, "FilterGetTitle");
    *filterProc = app::LibraryExport<FilterProcFunction>(library, "FilterProc");
    if (!*getTitle || !*filterProc) {
        std::fprintf(stderr, "%s: not a filter library\n", dll.c_str());
        return false;
    }
    Log("exports FilterGetTitle=%d _FilterGetTitle=%d FilterProc=%d _FilterProc=%d",
        GetProcAddress(library, "FilterGetTitle") == GetProcAddress(library, "_FilterGetTitle"),
        GetProcAddress(library, "_FilterGetTitle") != nullptr,
        GetProcAddress(library, "FilterProc") == GetProcAddress(library, "_FilterProc"),
        GetProcAddress(library, "_FilterProc") != nullptr);
    return true;
}

// With --screenshots, a second thread plays the user: it photographs the windows, then closes.
// With --open-manual, it presses F1 in the frame, then closes.  With --probe-answers, it paints,
// undoes and redoes a stroke and prints how long the frame took to answer meanwhile.
void StartPlaying(tools::RunDriver& driver, const Options& options) {
    if (options.screenshots.empty() && !options.openManual && !options.probeAnswers)
        return;
    driver.Start([&options](tools::RunDriver& run) {
        if (!options.screenshots.empty())
            tools::TakeScreenshots(run, options.screenshots);
        if (options.probeAnswers)
            tools::ProbeAnswers(run);
        if (options.openManual) {
            tools::RunDriver::Key(run.Frame(), VK_F1);
            Sleep(500);
        }
        PostMessageA(run.Frame(), WM_CLOSE, 0, 0);
    });
}

int Usage() {
    std::fprintf(stderr,
                 "usage: substitute-host --dll FILE --input IN.png [--output OUT.png] [--host-path TEXT]\n"
                 "       [--log FILE] [--screenshots FOLDER] [--open-manual] [--probe-answers] [--no-window]\n"
                 "       [--width N] [--height N]\n"
                 "       [--bits N] [--null-image] [--null-read] [--null-write]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options))
        return Usage();
    tools::RgbaPicture picture;
    std::string error;
    if (!tools::LoadPng(options.input, &picture, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    LayOut(picture);
    if (!options.log.empty())
        g_log = std::fopen(options.log.c_str(), "w");

    FilterGetTitleFunction getTitle = nullptr;
    FilterProcFunction filterProc = nullptr;
    if (!LoadFilter(options.dll, &getTitle, &filterProc))
        return 1;

    char title[256] = {};
    int32_t first = -7, second = -7;
    const int32_t titled = getTitle(12345, title, &first, &second);
    Log("title %d %s %d %d", titled, title, first, second);

    HostImageInfo info = {options.hasWidth ? options.width : g_image.width,
                          options.hasHeight ? options.height : g_image.height, options.bits};
    HostRowAccess read = {ReadColour, ReadAlpha};
    HostRowAccess write = {WriteColour, WriteAlpha};
    HWND hostWindow = options.window ? CreateHostWindow() : nullptr;

    tools::RunDriver driver;
    StartPlaying(driver, options);
    const int32_t result =
        filterProc(hostWindow, options.nullImage ? nullptr : &info, options.nullWrite ? nullptr : &write,
                   options.nullRead ? nullptr : &read, options.hostPath.c_str());
    driver.Join();
    Log("filterproc %d", result);
    if (hostWindow) {
        Log("host-enabled %d", IsWindowEnabled(hostWindow) ? 1 : 0);
        Log("host-active %d", GetActiveWindow() == hostWindow ? 1 : 0);
    }

    if (!options.output.empty() && !tools::SavePng(options.output, PictureOf(g_image))) {
        std::fprintf(stderr, "%s: cannot be written\n", options.output.c_str());
        return 1;
    }
    if (hostWindow)
        DestroyWindow(hostWindow);
    if (g_log)
        std::fclose(g_log);
    return 0;
}
