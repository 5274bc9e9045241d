// kinloom-cli export: every sim of a neighborhood as CSV or JSON.

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/Cli.h"
#include "cli/CliCommon.h"
#include "core/editing/SimExport.h"
#include "core/platform/FileIO.h"
#include "core/platform/Paths.h"

namespace kinloom::cli {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExportUsage =
    "kinloom-cli: usage: export NEIGHBORHOOD (--csv FILE | --json FILE) [--replace] [discovery "
    "options]\n";

enum class ExportFormat { Csv, Json };

struct ExportTarget {
    ExportFormat Format;
    fs::path File;
};

// Takes "--csv FILE", "--json FILE" (or "--csv=FILE", "--json=FILE") out of the arguments, before
// the discovery options are split off (which would take FILE for the neighborhood). Exactly one
// is wanted; false (after reporting) otherwise.
bool TakeTarget(std::vector<std::string>& args, std::optional<ExportTarget>& target,
                std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<ExportFormat> format;
        std::optional<std::string> value;
        for (auto [name, f] :
             {std::pair{"--csv", ExportFormat::Csv}, std::pair{"--json", ExportFormat::Json}}) {
            const std::string option = name;
            if (args[i] == option) {
                format = f;
                // A following option is not a file name: "--csv --replace" lacks its FILE.
                if (i + 1 < args.size() && !args[i + 1].starts_with("--")) value = args[i + 1];
                if (value) args.erase(args.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            } else if (args[i].starts_with(option + "=")) {
                format = f;
                if (args[i].size() > option.size() + 1) value = args[i].substr(option.size() + 1);
            }
            if (format) {
                if (!value) {
                    err << "kinloom-cli: " << option << " wants a file\n";
                    return false;
                }
                break;
            }
        }
        if (!format) continue;
        if (target) {
            err << "kinloom-cli: give one of --csv and --json, once\n";
            return false;
        }
        target = ExportTarget{*format, PathFromUtf8(*value)};
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
        --i;
    }
    if (!target) {
        err << "kinloom-cli: export wants --csv FILE or --json FILE\n";
        return false;
    }
    return true;
}

}  // namespace

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> rest = args;
    std::optional<ExportTarget> target;
    if (!TakeTarget(rest, target, err)) {
        err << kExportUsage;
        return kUsage;
    }
    StartupArguments parsed;
    std::vector<std::string> positional, flags;
    if (!Discovery(rest, parsed, positional, flags, err)) return kUsage;
    bool replace = false;
    if (!TakeFlags(flags, {{"--replace", &replace}}, err)) return kUsage;
    if (positional.size() != 1) {
        err << kExportUsage;
        return kUsage;
    }
    // Anything at the path counts, a dangling link included: it is only replaced when asked.
    const auto refusedExisting = [&] {
        std::error_code ec;
        if (replace || !fs::exists(fs::symlink_status(target->File, ec))) return false;
        err << "kinloom-cli: " << target->File.string()
            << " already exists; nothing was written (use --replace to replace it)\n";
        return true;
    };
    if (refusedExisting()) return kRefused;

    StreamMessages messages(err);
    Opened opened;
    if (int code = OpenNeighborhood(parsed, positional[0], opened, messages, err)) return code;

    // The whole file is made first and then put in place at once, so a failure leaves no part
    // of it and whatever was there before stays.
    std::ostringstream image;
    const bool made = target->Format == ExportFormat::Csv ? WriteSimsCsv(opened.State, image)
                                                          : WriteSimsJson(opened.State, image);
    if (!made) {
        err << "kinloom-cli: the export could not be made; nothing was written\n";
        return kNotSaved;
    }
    const std::string text = std::move(image).str();
    // Asked again: the file may have appeared while the neighborhood was loading.
    if (refusedExisting()) return kRefused;
    try {
        ReplaceFileAtomically(
            target->File,
            ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    } catch (const FileError& e) {
        err << "kinloom-cli: " << e.what() << "; nothing was written\n";
        return kNotSaved;
    }
    out << target->File.string() << ": " << opened.State.Sims.size() << " sims\n";
    return kOk;
}

}  // namespace kinloom::cli
