#include "Cli.h"

#include <charconv>
#include <ostream>

#include "packages/Compression.h"
#include "packages/Package.h"
#include "platform/FileIO.h"
#include "platform/Messages.h"

namespace kinloom::cli {
namespace {

constexpr const char* kUsageText =
    "usage: kinloom-cli COMMAND ARGS\n"
    "  index PACKAGE            list the package index (tab-separated)\n"
    "  cat PACKAGE POSITION     write the plain content of one listed entry to standard output\n"
    "  decompress PACKAGE       rewrite the package with every entry stored plain\n";

// Messages from core operations go to the error stream, one per line.
class StreamMessages final : public Messages {
public:
    explicit StreamMessages(std::ostream& err) : err_(err) {}
    void Show(const std::string& text) override { err_ << Flat(text) << '\n'; }
    bool AskOkCancel(const std::string& text) override {
        err_ << Flat(text) << " (answered Cancel)\n";
        return false;
    }
    bool AskYesNo(const std::string& text) override {
        err_ << Flat(text) << " (answered No)\n";
        return false;
    }

private:
    static std::string Flat(std::string text) {
        for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, " ");
        return text;
    }
    std::ostream& err_;
};

// Opens a package and insists on a usable index; reports and returns false otherwise.
bool OpenPackage(const std::string& file, Package& package, std::ostream& err) {
    try {
        package = Package::Open(file);
    } catch (const FileError& e) {
        err << "kinloom-cli: " << e.what() << '\n';
        return false;
    } catch (const ReadError& e) {
        err << "kinloom-cli: An Index Error was found in " << file << " (" << e.what() << ")\n";
        return false;
    }
    if (package.EntrySize == 0) {
        err << "kinloom-cli: An Index Error was found in " << file << '\n';
        return false;
    }
    return true;
}

int Index(const std::string& file, std::ostream& out, std::ostream& err) {
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    for (std::size_t i = 0; i < p.Entries.size(); ++i) {
        const PackageIndexEntry& e = p.Entries[i];
        out << i << '\t' << TypeIdText(e.Type) << '\t' << TypeIdText(e.Group) << '\t'
            << TypeIdText(e.Instance) << '\t'
            << (p.EntrySize == 24 ? TypeIdText(e.InstanceHigh) : std::string("-")) << '\t'
            << e.Offset << '\t' << e.Size << '\n';
    }
    return kOk;
}

int Cat(const std::string& file, const std::string& positionText, std::ostream& out,
        std::ostream& err) {
    std::size_t position = 0;
    const char* end = positionText.data() + positionText.size();
    auto [ptr, ec] = std::from_chars(positionText.data(), end, position);
    if (ec != std::errc() || ptr != end) {
        err << "kinloom-cli: not a position: " << positionText << '\n';
        return kUsage;
    }
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    if (position >= p.Entries.size()) {
        err << "kinloom-cli: " << file << " lists " << p.Entries.size()
            << " entries; there is no position " << position << '\n';
        return kUnreadable;
    }
    StreamMessages messages(err);
    Bytes content;
    try {
        if (!DecompressEntry(p.Data, p.Entries[position], content, messages)) return kDecompression;
    } catch (const ReadError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what() << '\n';
        return kDecompression;
    }
    out.write(reinterpret_cast<const char*>(content.data()),
              static_cast<std::streamsize>(content.size()));
    return out ? kOk : kUnreadable;
}

int Decompress(const std::string& file, std::ostream& err) {
    Package p;
    if (!OpenPackage(file, p, err)) return kUnreadable;
    StreamMessages messages(err);
    try {
        DecompressPackage(file, messages);
    } catch (const FileError& e) {
        err << "kinloom-cli: " << e.what() << '\n';
        return kUnreadable;
    } catch (const IndexError&) {
        err << "kinloom-cli: An Index Error was found in " << file << " (left unchanged)\n";
        return kUnreadable;
    } catch (const ReadError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what()
            << " (left unchanged)\n";
        return kDecompression;
    } catch (const DecompressionError& e) {
        err << "kinloom-cli: Decompression Error in " << file << ": " << e.what()
            << " (left unchanged)\n";
        return kDecompression;
    }
    return kOk;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? err : out) << kUsageText;
        return args.empty() ? kUsage : kOk;
    }
    const std::string& command = args[0];
    if (command == "index" && args.size() == 2) return Index(args[1], out, err);
    if (command == "cat" && args.size() == 3) return Cat(args[1], args[2], out, err);
    if (command == "decompress" && args.size() == 2) return Decompress(args[1], err);
    err << kUsageText;
    return kUsage;
}

}  // namespace kinloom::cli

