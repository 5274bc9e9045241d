#include "GameHome.h"

#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "core/demo/DemoWriter.h"
#include "core/neighborhoods/Discovery.h"

namespace kinloom::bench {
namespace {
namespace fs = std::filesystem;

// system.reg and user.reg together come to about 2.4 MB, as in a prefix with a few programs.
constexpr std::size_t kSystemRegSize = 1'750'000;
constexpr std::size_t kUserRegSize = 650'000;

// Writes a registry file the way Wine does: keys with their modification times, values of every
// kind Wine stores (strings, expandable strings, dwords, binary data over several lines,
// multi-strings), backslashes doubled and characters outside ASCII escaped.
class RegWriter {
public:
    explicit RegWriter(std::uint32_t seed) : random_(seed) {}

    std::string Text;

    void Header(std::string_view relativeTo) {
        Text += "WINE REGISTRY Version 2\n;; All keys relative to ";
        Text += relativeTo;
        Text += "\n\n#arch=win64\n";
    }
    void Key(std::string_view path) {
        Text += "\n[";
        Text += Escaped(path);
        Text += "] " + std::to_string(1650000000 + Below(50000000)) + "\n#time=1d" + Hex(13) + "\n";
    }
    void String(std::string_view name, std::string_view value) {
        Text += Name(name) + "=\"" + Escaped(value) + "\"\n";
    }
    void Expandable(std::string_view name, std::string_view value) {
        Text += Name(name) + "=str(2):\"" + Escaped(value) + "\"\n";
    }
    void Dword(std::string_view name, std::uint32_t value) {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string digits(8, '0');
        for (int i = 7; i >= 0; --i, value >>= 4)
            digits[static_cast<std::size_t>(i)] = kDigits[value & 15];
        Text += Name(name) + "=dword:" + digits + "\n";
    }
    // Binary data as Wine wraps it: about 25 bytes a line, each line but the last ending in "\".
    void Binary(std::string_view name, std::size_t bytes, std::string_view kind = "hex") {
        std::string line = Name(name) + "=" + std::string(kind) + ":";
        for (std::size_t i = 0; i < bytes; ++i) {
            line += Hex(2);
            if (i + 1 == bytes) break;
            line += ",";
            if (line.size() > 76) {
                Text += line + "\\\n";
                line = "  ";
            }
        }
        Text += line + "\n";
    }
    void MultiString(std::string_view name, std::string_view a, std::string_view b) {
        Text += Name(name) + "=hex(7):";
        std::string line;
        const std::string both = std::string(a) + '\0' + std::string(b) + '\0' + '\0';
        for (std::size_t i = 0; i < both.size(); ++i) {
            line += Hex(2, static_cast<unsigned char>(both[i])) + ",00";
            if (i + 1 < both.size()) line += ",";
            if (line.size() > 70 && i + 1 < both.size()) {
                Text += line + "\\\n  ";
                line.clear();
            }
        }
        Text += line + "\n";
    }

    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }
    std::string Guid() {
        return "{" + Hex(8) + "-" + Hex(4) + "-" + Hex(4) + "-" + Hex(4) + "-" + Hex(12) + "}";
    }
    std::string Word() {
        static constexpr std::string_view kWords[] = {
            "Shell",  "Media",   "Player", "Direct", "Sound", "Font",    "Print",  "Network",
            "Video",  "Capture", "Codec",  "Input",  "Mixer", "Session", "Crypto", "Query",
            "Render", "Stream",  "Source", "Filter", "Host",  "Broker",  "Store",  "Cache"};
        return std::string(kWords[Below(std::size(kWords))]);
    }

private:
    std::mt19937 random_;

    std::string Hex(int digits, int value = -1) {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string out;
        for (int i = 0; i < digits; ++i) {
            const std::uint32_t d =
                value < 0 ? Below(16)
                          : (static_cast<std::uint32_t>(value) >> (4 * (digits - 1 - i))) & 15;
            out += kDigits[d];
        }
        return out;
    }
    // Backslashes and quotes escaped; characters outside ASCII (two- and three-byte UTF-8
    // only, all this file writes) as Wine's \xNNNN.
    static std::string Escaped(std::string_view text) {
        static constexpr char kDigits[] = "0123456789abcdef";
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                if (c == '\\' || c == '"') out += '\\';
                out += static_cast<char>(c);
                continue;
            }
            std::uint32_t unit = 0;
            if (c >= 0xE0 && i + 2 < text.size()) {
                unit = ((c & 0x0Fu) << 12) |
                       ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                       (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
                i += 2;
            } else if (i + 1 < text.size()) {
                unit = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
                i += 1;
            }
            out += "\\x";
            for (int shift = 12; shift >= 0; shift -= 4) out += kDigits[(unit >> shift) & 15];
        }
        return out;
    }
    static std::string Name(std::string_view name) {
        return name.empty() ? std::string("@") : "\"" + Escaped(name) + "\"";
    }
};

// The local machine's keys: COM classes and interfaces (native and 32-bit), services, device
// classes, fonts, time zones, installed programs; the game's keys among them.
std::string SystemReg(const std::string& user) {
    RegWriter reg(1);
    reg.Header("\\\\Machine");
    int program = 0;
    bool gameWritten = false;
    while (reg.Text.size() < kSystemRegSize) {
        const std::string guid = reg.Guid();
        const std::string name = reg.Word() + reg.Word() + std::to_string(program);
        const std::string dll = "C:\\windows\\system32\\" + name + ".dll";
        switch (program++ % 8) {
            case 0:
            case 1:
                for (const char* root :
                     {"Software\\Classes\\CLSID\\", "Software\\Wow6432Node\\Classes\\CLSID\\"}) {
                    reg.Key(root + guid);
                    reg.String("", name + " Class");
                    reg.Key(root + guid + "\\InprocServer32");
                    reg.String("", dll);
                    reg.String("ThreadingModel", program % 3 ? "Both" : "Apartment");
                    reg.Key(root + guid + "\\ProgID");
                    reg.String("", name + ".1");
                }
                break;
            case 2:
                reg.Key("Software\\Classes\\Interface\\" + guid);
                reg.String("", "I" + name);
                reg.Key("Software\\Classes\\Interface\\" + guid + "\\NumMethods");
                reg.String("", std::to_string(3 + reg.Below(40)));
                reg.Key("Software\\Classes\\Interface\\" + guid + "\\ProxyStubClsid32");
                reg.String("", "{00020424-0000-0000-C000-000000000046}");
                break;
            case 3:
                reg.Key("System\\CurrentControlSet\\Services\\" + name);
                reg.String("Description", "Provides " + reg.Word() + " " + reg.Word() +
                                              " services for Wine programs.");
                reg.String("DisplayName", name + " Service");
                reg.Dword("ErrorControl", 1);
                reg.Expandable("ImagePath", "%SystemRoot%\\system32\\" + name + ".exe");
                reg.String("ObjectName", "LocalSystem");
                reg.Dword("Start", 2 + reg.Below(3));
                reg.Dword("Type", 16);
                reg.MultiString("DependOnService", "RpcSs", reg.Word());
                break;
            case 4:
                reg.Key("System\\CurrentControlSet\\Control\\Class\\" + guid + "\\0000");
                reg.String("DriverDesc", "Wine " + reg.Word() + " Adapter");
                reg.String("ProviderName", "The Wine Project");
                reg.Binary("HardwareInformation.MemorySize", 4);
                reg.Binary("DriverData", 96 + reg.Below(160));
                reg.Dword("Flags", reg.Below(1000));
                break;
            case 5:
                reg.Key("Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" +
                        reg.Word() + " Standard Time " + std::to_string(program));
                reg.String("Display", "(UTC+01:00) " + reg.Word() + ", " + reg.Word());
                reg.String("Dlt", "Mitteleurop\xC3\xA4ische Sommerzeit");
                reg.String("MUI_Display", "@tzres.dll,-" + std::to_string(100 + reg.Below(900)));
                reg.String("Std", "Mitteleurop\xC3\xA4ische Zeit");
                reg.Binary("TZI", 44);
                break;
            case 6:
                reg.Key("Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
                for (int f = 0; f < 6; ++f)
                    reg.String(reg.Word() + " " + reg.Word() + " (TrueType)",
                               reg.Word() + std::to_string(f) + ".ttf");
                break;
            default:
                reg.Key("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                        guid);
                reg.String("DisplayName", reg.Word() + " " + reg.Word() + " Runtime");
                reg.String("DisplayVersion", "1." + std::to_string(reg.Below(20)) + "." +
                                                 std::to_string(reg.Below(9000)));
                reg.Dword("EstimatedSize", reg.Below(100000));
                reg.String("InstallLocation", "C:\\Program Files (x86)\\" + name + "\\");
                reg.String("Publisher", reg.Word() + " Software");
                reg.String("UninstallString", "MsiExec.exe /X" + guid);
                reg.Dword("NoModify", 1);
                break;
        }
        // The game's keys, about a third of the way in, where Wine's sorted keys put them among
        // other 32-bit programs' keys.
        if (!gameWritten && reg.Text.size() > kSystemRegSize / 3) {
            gameWritten = true;
            const std::string ea = "Software\\Wow6432Node\\EA GAMES\\";
            reg.Key(ea + "The Sims 2");
            reg.String("DisplayName", "The Sims 2");
            reg.String("Install Dir", "C:\\Program Files (x86)\\EA GAMES\\The Sims 2");
            reg.String("EPsInstalled", "Sims2EP1.exe,Sims2EP2.exe,Sims2EP4.exe,Sims2EP5.exe");
            reg.Dword("SP1", 1);
            reg.Key(ea + "The Sims 2\\1.0");
            reg.String("LanguageName", kGameLanguageName);
            reg.String("Locale", "de-DE");
            reg.Binary("ergc", 20);
            for (const char* pack : {"University", "Nightlife", "Pets", "Seasons"}) {
                reg.Key(ea + "The Sims 2 " + pack);
                reg.String("DisplayName", std::string("The Sims 2 ") + pack);
                reg.String("Install Dir",
                           std::string("C:\\Program Files (x86)\\EA GAMES\\The Sims 2 ") + pack);
                reg.Key(ea + "The Sims 2 " + pack + "\\1.0");
                reg.String("LanguageName", kGameLanguageName);
            }
            reg.Key(
                "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"
                "Sims2.exe");
            reg.String("", "C:\\Program Files (x86)\\EA GAMES\\The Sims 2\\TSBin\\Sims2.exe");
            reg.String("Path", "C:\\Program Files (x86)\\EA GAMES\\The Sims 2\\TSBin");
        }
    }
    (void)user;
    return reg.Text;
}

// The current user's keys: the desktop's colours and metrics, Explorer's shell folders (the
// documents folder among them), program settings with binary state, recent files.
std::string UserReg(const std::string& user) {
    RegWriter reg(2);
    reg.Header("\\\\User\\\\S-1-5-21-0-0-0-1000");
    reg.Key("Control Panel\\Colors");
    for (const char* colour :
         {"ActiveBorder", "ActiveTitle", "AppWorkSpace", "Background", "ButtonFace",
          "ButtonHilight", "ButtonShadow", "ButtonText", "GrayText", "Hilight", "HilightText",
          "InactiveTitle", "Menu", "MenuText", "Scrollbar", "Window", "WindowFrame", "WindowText"})
        reg.String(colour, std::to_string(reg.Below(256)) + " " + std::to_string(reg.Below(256)) +
                               " " + std::to_string(reg.Below(256)));
    const std::string home = "C:\\users\\" + user;
    reg.Key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
    reg.String("AppData", home + "\\AppData\\Roaming");
    reg.String("Desktop", home + "\\Desktop");
    reg.String("Favorites", home + "\\Favorites");
    reg.String("Local AppData", home + "\\AppData\\Local");
    reg.String("My Music", home + "\\Music");
    reg.String("My Pictures", home + "\\Pictures");
    reg.String("My Videos", home + "\\Videos");
    reg.String("Personal", home + "\\Documents");
    reg.String("Start Menu", home + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu");
    reg.Key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
    reg.Expandable("Personal", "%USERPROFILE%\\Documents");
    reg.Expandable("AppData", "%USERPROFILE%\\AppData\\Roaming");
    int program = 0;
    while (reg.Text.size() < kUserRegSize) {
        const std::string name = reg.Word() + reg.Word() + std::to_string(program);
        switch (program++ % 4) {
            case 0:
                reg.Key("Software\\" + reg.Word() + " Software\\" + name + "\\Settings");
                reg.String("LastFolder", home + "\\Documents\\" + reg.Word());
                reg.Dword("WindowX", reg.Below(1900));
                reg.Dword("WindowY", reg.Below(1000));
                reg.Binary("WindowPlacement", 44);
                reg.Binary("Toolbars", 120 + reg.Below(200));
                break;
            case 1:
                reg.Key("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder\\" +
                        name);
                reg.Binary("Order", 200 + reg.Below(300));
                break;
            case 2:
                reg.Key("Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache\\" + name);
                for (int f = 0; f < 5; ++f)
                    reg.String("C:\\Program Files\\" + name + "\\" + reg.Word() + ".exe",
                               reg.Word() + " " + reg.Word());
                break;
            default:
                reg.Key("Software\\Wine\\AppDefaults\\" + name + ".exe\\Direct3D");
                reg.String("VideoMemorySize", std::to_string(512 << reg.Below(4)));
                reg.String("renderer", reg.Below(2) ? "gl" : "vulkan");
                reg.Key("Software\\Wine\\AppDefaults\\" + name + ".exe\\DllOverrides");
                reg.String("d3d9", "native,builtin");
                reg.String(reg.Word(), "builtin");
                break;
        }
    }
    return reg.Text;
}

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace

GameHome::GameHome(int sims) {
    Root = fs::temp_directory_path() /
           ("kinloom-bench-game-home-" + std::to_string(std::random_device{}()));
    Home = Root / "home";
    Prefix = Home / ".wine";
    const std::string user = WineUserName();
    const fs::path documents = Prefix / "drive_c" / "users" / user / "Documents";
    fs::create_directories(documents);
    fs::create_directories(Prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", Prefix / "dosdevices" / "c:");
    fs::create_directory_symlink("/", Prefix / "dosdevices" / "z:");
    WriteFile(Prefix / "system.reg", SystemReg(user));
    WriteFile(Prefix / "user.reg", UserReg(user));
    UserData = documents / "EA Games" / "The Sims 2";
    WriteDemoUserData(UserData, DemoOptions{sims, 1, false});
}

GameHome::~GameHome() {
    std::error_code ec;
    fs::remove_all(Root, ec);
}

}  // namespace kinloom::bench
