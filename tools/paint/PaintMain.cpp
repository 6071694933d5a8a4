// driftlace-paint: the painting pipeline of the plug-in, run from a script without a window.
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "base/Failure.h"
#include "base/FileException.h"
#include "base/System.h"
#include "paint/AppDoc.h"
#include "paint/ToolSelection.h"
#include "settings/PresetCatalogue.h"
#include "settings/RunSettings.h"
#include "settings/SettingsPaths.h"
#include "tools/common/PngFile.h"
#include "tools/paint/MemoryHost.h"
#include "tools/paint/PaintSession.h"
#include "tools/paint/ScriptError.h"
#include "tools/paint/ScriptReader.h"
#include "tools/paint/StagedOutputs.h"

namespace {

const char* const kUsage =
    "usage: driftlace-paint --output OUT.png [--input IN.png | --size WxH] [--settings FILE.ini]\n"
    "                       [--save-settings FILE.ini] [--catalogue FILE.spr] [--script FILE] [--stats]";

struct Options {
    std::string output, input, settings, saveSettings, catalogue, script;
    int32_t width = 0, height = 0;  // 0: no --size
    bool stats = false;
};

// Decimal digits only, at least 1 and within 32 bits.
bool ParseDimension(const std::string& digits, int32_t* value) {
    if (digits.empty() || digits.size() > 10 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long long number = std::stoll(digits);
    if (number < 1 || number > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(number);
    return true;
}

bool ParseSize(const std::string& text, int32_t* width, int32_t* height) {
    const size_t x = text.find('x');
    return x != std::string::npos && ParseDimension(text.substr(0, x), width) &&
           ParseDimension(text.substr(x + 1), height);
}

Options ParseCommandLine(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw tools::ScriptError(0, arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--output")
            options.output = value();
        else if (arg == "--input")
            options.input = value();
        else if (arg == "--settings")
            options.settings = value();
        else if (arg == "--save-settings")
            options.saveSettings = value();
        else if (arg == "--catalogue")
            options.catalogue = value();
        else if (arg == "--script")
            options.script = value();
        else if (arg == "--stats")
            options.stats = true;
        else if (arg == "--size") {
            if (!ParseSize(value(), &options.width, &options.height))
                throw tools::ScriptError(0, "--size takes WxH, two whole numbers from 1, for example 640x480");
        } else
            throw tools::ScriptError(0, "unknown option " + arg);
    }
    if (options.output.empty())
        throw tools::ScriptError(0, "--output is required");
    if (!options.input.empty() && options.width > 0)
        throw tools::ScriptError(0, "--input and --size exclude each other");
    // One file cannot hold both: the second output would silently take the first one's place.
    if (!options.saveSettings.empty() && tools::StagedOutputs::SamePlace(options.output, options.saveSettings))
        throw tools::ScriptError(0, "--output and --save-settings name the same file");
    return options;
}

std::string FolderOfProgram(const char* argv0) {
    const std::string path = app::ModuleFilePath().empty() ? argv0 : app::ModuleFilePath();
    const std::string folder = app::DirectoryOf(path);
    return folder.empty() ? std::string(".") : folder.substr(0, folder.size() - 1);
}

std::string InputPath(const Options& options, const std::string& programFolder) {
    return options.input.empty() ? programFolder + "/samples/chelsea.png" : options.input;
}

// The canvas's size, from --size or from the input file's header, before any pixel is read.
app::ImageSize CanvasSize(const Options& options, const std::string& programFolder) {
    if (options.width > 0)
        return {options.width, options.height};
    app::ImageSize size{0, 0};
    std::string error;
    if (!tools::ReadPngSize(InputPath(options, programFolder), &size.width, &size.height, &error))
        throw tools::ScriptError(0, error);
    return size;
}

tools::RgbaPicture StartingPicture(const Options& options, const std::string& programFolder) {
    tools::RgbaPicture picture;
    if (options.width > 0) {
        picture.width = options.width;
        picture.height = options.height;
        picture.pixels.assign(static_cast<size_t>(options.width) * static_cast<size_t>(options.height) * 4, 0);
        return picture;
    }
    std::string error;
    if (!tools::LoadPng(InputPath(options, programFolder), &picture, &error))
        throw tools::ScriptError(0, error);
    return picture;
}

// A script is read whole, up to a bound: a device that never ends (/dev/zero) is refused instead
// of filling the memory.
constexpr size_t kMostScriptBytes = size_t{64} << 20;

std::string ReadScriptText(std::istream& in, const std::string& name) {
    std::string text;
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<size_t>(in.gcount()));
        if (text.size() > kMostScriptBytes)
            throw tools::ScriptError(0, name + ": larger than 64 MB, not read");
    }
    // A folder opens on some systems and then fails to read.
    if (!in.eof() || in.bad())
        throw tools::ScriptError(0, name + ": cannot be read");
    return text;
}

std::vector<tools::ScriptCommand> ReadScriptFrom(const std::string& path) {
    std::ifstream file;
    if (!path.empty() && path != "-")
        file.open(path, std::ios::binary);
    std::istream& in = path.empty() || path == "-" ? std::cin : file;
    if (!in)
        throw tools::ScriptError(0, path + ": cannot be read");
    std::istringstream text(ReadScriptText(in, path.empty() ? std::string("the standard input") : path));
    return tools::ReadScript(text);
}

// A failure names the user's file, not the temporary one it is written under.
void SaveSettingsTo(const std::string& temporary, const std::string& place) {
    try {
        app::SaveRunSettingsFile(temporary);
    } catch (const app::FileException& e) {
        throw app::FileException(e.Code(), e.Value(), place);
    }
}

void PrintStats(const tools::PaintStats& stats, int32_t historySteps, int64_t historyBytes) {
    const double turns = stats.turns ? static_cast<double>(stats.turns) : 1.0;
    std::fprintf(stderr,
                 "turns %lld\npeak particles %d\nmean live particles %.0f\nhistory steps %d\nmean turn %.3f ms\n"
                 "slowest turn %.3f ms\nslowest turn without history %.3f ms\nslowest turn with history %.3f ms\n"
                 "slowest piece of a step %.3f ms\npieces of steps %.3f ms\nslowest undo %.3f ms\nslowest redo %.3f "
                 "ms\nhistory bytes %lld\n",
                 static_cast<long long>(stats.turns), stats.peakParticles,
                 static_cast<double>(stats.totalParticles) / turns, historySteps, stats.totalTurnMs / turns,
                 stats.slowestTurnMs, stats.slowestPlainTurnMs, stats.slowestStepTurnMs, stats.slowestStepPieceMs,
                 stats.stepPiecesMs, stats.slowestUndoMs, stats.slowestRedoMs, static_cast<long long>(historyBytes));
}

int Paint(const Options& options, const std::string& programFolder) {
    const std::vector<tools::ScriptCommand> commands = ReadScriptFrom(options.script);
    // Every size the document derives from the canvas is checked before the picture is made.
    const app::ImageSize size = CanvasSize(options, programFolder);
    app::AppDoc::CheckSize(size.width, size.height);
    tools::MemoryHost host(StartingPicture(options, programFolder));
    host.Accept("");

    app::LoadRunSettingsFile(options.settings);
    app::PresetCatalogue catalogue;
    const std::string cataloguePath =
        options.catalogue.empty() ? programFolder + "/preset/preset.spr" : options.catalogue;
    if (!catalogue.LoadCatalogue(cataloguePath) && !options.catalogue.empty())
        throw tools::ScriptError(0, cataloguePath + ": cannot be read");

    // The document (its image, its copy at the last step, the engine's grids) goes before the
    // outputs are made, so that the picture's copy for the file does not come on top of it.
    tools::PaintStats stats;
    int32_t historySteps = 0;
    int64_t historyBytes = 0;
    {
        tools::PaintSession session(&catalogue);
        session.Start();
        session.Run(commands);
        session.Finish();
        app::DestroyCurrentTool();
        stats = session.Stats();
        historySteps = session.HistorySteps();
        historyBytes = session.HistoryBytes();
    }

    // Nothing lands unless everything does: each output is written beside its place under a
    // name of its own, and all take their places only when all are complete.
    tools::StagedOutputs outputs;
    int32_t error = 0;
    if (!tools::SavePng(outputs.Stage(options.output), host.Picture(), &error))
        throw app::FileException(app::ErrorSystem, error, options.output);
    if (!options.saveSettings.empty())
        SaveSettingsTo(outputs.Stage(options.saveSettings, true), options.saveSettings);
    outputs.PutInPlace();
    if (options.stats)
        PrintStats(stats, historySteps, historyBytes);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = ParseCommandLine(argc, argv);
    } catch (const tools::ScriptError& error) {
        std::fprintf(stderr, "driftlace-paint: %s\n%s\n", error.what(), kUsage);
        return 2;
    }
    const std::string programFolder = FolderOfProgram(argv[0]);
    app::SetModuleFilePath(programFolder + "/driftlace-paint");
    try {
        return Paint(options, programFolder);
    } catch (const tools::ScriptError& error) {
        std::fprintf(stderr, "driftlace-paint: %s\n", error.what());
        return 2;
    } catch (...) {
        std::fprintf(stderr, "driftlace-paint: %s\n", app::FailureText(std::current_exception()).c_str());
        return 1;
    }
}
