// orvex-cmd [-C DIR] [-g WxH] [-t MS] ITEM...
//
// Runs the command language without a window, for tests and reviews. With
// -g the whole engine runs: a hidden GL view of W by H pixels (it needs a
// display, such as Xvfb) starts the application root on the data set, whose
// configuration builds every command class, and each frame is the real frame
// step and drawing. Without -g a root with the command classes alone runs.
// Items run in the order given:
//   -e LINE    run a line as a scenario line
//   -f FILE    open a scenario file (relative to the data directory) as a
//              stepped scenario and start it
//   -n N       run N frames of MS milliseconds each (-t, default 33)
//   -q QUERY   print the query's value text and a newline
//   -s         print the gathered state lines
//   -o         print the gathered option lines
//   -p FILE    save the picture of the last frame as a PNG file (with -g)
// -C DIR changes into the data directory first. Only the items print to the
// standard output; messages and errors go to the standard error, and any
// error (a refused line, a file that does not open, a bad option) gives exit
// status 1. An engine that did not start (a start file missing or
// unreadable) runs no item: the last line on the standard error says which
// file and why.
#include <unistd.h>

#include <charconv>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QGLFormat>

#include "DriverRoot.h"
#include "HeadlessView.h"
#include "engine/DisplayConfig.h"
#include "platform/NumericLocale.h"

namespace {

struct Item {
    char kind;        // e, f, n, q, s, o, p or t
    std::string text; // line, file, query or picture file
    unsigned number;  // frames or milliseconds
};

struct Options {
    std::string dataDir;
    int width = 0; // with -g
    int height = 0;
    std::vector<Item> items;
};

void usage() {
    std::fputs("usage: orvex-cmd [-C DIR] [-g WxH] [-t MS] ITEM...\n"
               "items: -e LINE | -f FILE | -n N | -q QUERY | -s | -o | -p FILE | -t MS\n",
               stderr);
}

bool parseCount(const std::string& text, unsigned& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

// "WxH", both at least 1 and at most 16384.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    unsigned w = 0;
    unsigned h = 0;
    if (x == std::string::npos || !parseCount(text.substr(0, x), w) ||
        !parseCount(text.substr(x + 1), h))
        return false;
    if (w < 1 || h < 1 || w > 16384 || h > 16384)
        return false;
    width = int(w);
    height = int(h);
    return true;
}

bool parseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-s" || option == "-o") {
            options.items.push_back({option[1], {}, 0});
            continue;
        }
        if (option != "-C" && option != "-g" && option != "-t" && option != "-e" &&
            option != "-f" && option != "-n" && option != "-q" && option != "-p") {
            std::fprintf(stderr, "orvex-cmd: unknown option %s\n", option.c_str());
            return false;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "orvex-cmd: %s needs a value\n", option.c_str());
            return false;
        }
        const std::string value = argv[++i];
        if (option == "-C") {
            options.dataDir = value;
        } else if (option == "-g") {
            if (!parseSize(value, options.width, options.height)) {
                std::fprintf(stderr, "orvex-cmd: -g needs a size WxH, not %s\n", value.c_str());
                return false;
            }
        } else if (option == "-t" || option == "-n") {
            unsigned number = 0;
            if (!parseCount(value, number)) {
                std::fprintf(stderr, "orvex-cmd: %s needs a whole number, not %s\n", option.c_str(),
                             value.c_str());
                return false;
            }
            options.items.push_back({option[1], {}, number});
        } else {
            options.items.push_back({option[1], value, 0});
        }
    }
    for (const Item& item : options.items) {
        if (item.kind == 'p' && options.width == 0) {
            std::fputs("orvex-cmd: -p needs the GL view of -g\n", stderr);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_NUMERIC, "C");
    Options options;
    if (!parseArguments(argc, argv, options)) {
        usage();
        return 1;
    }

    // Only the items' answers reach the standard output: anything else the
    // engine prints there goes to the standard error.
    std::fflush(stdout);
    const int outputFd = dup(STDOUT_FILENO);
    std::FILE* output = outputFd >= 0 ? fdopen(outputFd, "w") : nullptr;
    if (!output || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        std::perror("orvex-cmd: standard output");
        return 1;
    }

    std::error_code error;
    if (!options.dataDir.empty()) {
        std::filesystem::current_path(options.dataDir, error);
        if (error) {
            std::fprintf(stderr, "orvex-cmd: cannot change into %s: %s\n", options.dataDir.c_str(),
                         error.message().c_str());
            return 1;
        }
    }
    const std::string dataDir = std::filesystem::current_path(error).string();

    int status = 0;
    {
        // The whole engine in a hidden GL view, or the driver's root.
        std::unique_ptr<QApplication> application;
        std::unique_ptr<HeadlessView> view;
        std::unique_ptr<DriverRoot> driver;
        Main* root = nullptr;
        if (options.width > 0) {
            static int appArgc = 1;
            static char appName[] = "orvex-cmd";
            static char* appArgv[] = {appName, nullptr};
            application = std::make_unique<QApplication>(appArgc, appArgv);
            platform::resetNumericLocale();
            // Stereo needs the buffers the program's window asks for.
            const DisplayConfig& display = DisplayConfig::instance();
            if (display.getStereoMode() != DisplayConfig::Mono)
                QGLFormat::setDefaultFormat(display.glFormat());
            view = std::make_unique<HeadlessView>(options.width, options.height);
            if (!view->started()) {
                std::fputs("orvex-cmd: no OpenGL for the view (is there a display?)\n", stderr);
                return 1;
            }
            root = view->getRoot();
        } else {
            driver = std::make_unique<DriverRoot>();
            driver->setDataDir(dataDir);
            driver->init();
            root = driver.get();
        }
        // Without its start files the engine is not there: every query would
        // answer "Undefined", every frame would do nothing (and draw nothing).
        if (!root->isConfigured()) {
            std::fprintf(stderr, "orvex-cmd: the engine did not start: %s: %s\n",
                         root->getStartFailure().c_str(), root->getStartFailureReason().c_str());
            return 1;
        }
        root->clearLog();
        unsigned frameMs = 33;
        for (const Item& item : options.items) {
            switch (item.kind) {
            case 't':
                frameMs = item.number;
                break;
            case 'e':
                if (root->processScenarioLine(item.text) == 0) {
                    std::fprintf(stderr, "orvex-cmd: line refused: %s\n", item.text.c_str());
                    status = 1;
                }
                break;
            case 'f':
                if (root->openScenario(item.text, 0) == 0) {
                    std::fprintf(stderr, "orvex-cmd: cannot open scenario %s\n", item.text.c_str());
                    status = 1;
                }
                break;
            case 'n':
                for (unsigned i = 0; i < item.number; ++i) {
                    if (view)
                        view->frame(frameMs);
                    else
                        root->frame(frameMs);
                }
                break;
            case 'q':
                std::fprintf(output, "%s\n", root->getCommandValue(item.text).c_str());
                break;
            case 's':
                std::fputs(root->getStateText().c_str(), output);
                break;
            case 'o':
                std::fputs(root->getOptionsText().c_str(), output);
                break;
            case 'p':
                if (!view->savePicture(item.text)) {
                    std::fprintf(stderr, "orvex-cmd: cannot save the picture %s%s\n",
                                 item.text.c_str(),
                                 view->getFrameCount() == 0 ? " (no frame drawn yet)" : "");
                    status = 1;
                }
                break;
            }
        }
    }
    if (std::fclose(output) != 0) {
        std::perror("orvex-cmd: standard output");
        status = 1;
    }
    return status;
}
