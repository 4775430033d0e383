// ports and link: the serial devices of this machine with the COM number each is opened as, and
// giving a device a COM number (the link comN in the ports folder). Neither needs a port.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "cli/arguments.h"
#include "cli/headless_prompts.h"
#include "cli/verb.h"
#include "serial/port_name.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kLastCom = 255;

// "COM3", "com3" or "3" -> 3.
std::optional<long> ParseComNumber(std::string text) {
    if (text.size() > 3 && (text[0] == 'C' || text[0] == 'c') &&
        (text[1] == 'O' || text[1] == 'o') && (text[2] == 'M' || text[2] == 'm')) {
        text.erase(0, 3);
    }
    std::optional<long> number = ParseNumber(text);
    if (!number || *number < 1 || *number > static_cast<long>(kLastCom)) {
        return std::nullopt;
    }
    return number;
}

// The device a path ends at, all links followed; empty when nothing is there.
std::string DeviceBehind(const fs::path& path) {
    std::error_code ec;
    fs::path device = fs::canonical(path, ec);
    return ec ? std::string() : device.string();
}

bool IsCharacterDevice(const fs::path& path) {
    std::error_code ec;
    return fs::is_character_file(path, ec);
}

// A /dev/ttyS* the kernel keeps whether or not a UART is behind it says so in sysfs (type 0).
bool HasUart(const std::string& name) {
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int code = -1;
    return !(type >> code) || code != 0;
}

// One device as the listing shows it: the name to use (a stable by-id name where there is one),
// the kernel's name behind it, and the COM numbers that open it.
struct Row {
    std::string shown;
    std::string device;  // empty: a link to a device that is not there now
    std::set<unsigned> coms;
};

// Where the link comN points, for every link in the ports folder.
std::map<unsigned, fs::path> PortLinks() {
    std::map<unsigned, fs::path> links;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(serial::PortsFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        const auto com =
            static_cast<unsigned>(name.rfind("com", 0) == 0 ? ParseComNumber(name).value_or(0) : 0);
        std::error_code linkEc;
        fs::path target = fs::read_symlink(entry.path(), linkEc);
        // "com03" or "com3.new" is not the link of any port.
        if (com != 0 && !linkEc && serial::PortLinkPath(com) == entry.path()) {
            links[com] = target;
        }
    }
    return links;
}

std::vector<Row> ListPorts() {
    std::vector<Row> rows;
    auto rowFor = [&rows](const std::string& shown, const std::string& device) -> Row& {
        for (Row& row : rows) {
            if (device.empty() ? row.shown == shown : row.device == device) {
                return row;
            }
        }
        rows.push_back({shown, device, {}});
        return rows.back();
    };
    std::error_code ec;
    // Stable names first, so that they name the row of their device.
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev/serial/by-id", ec)) {
        if (const std::string device = DeviceBehind(entry.path()); !device.empty()) {
            rowFor(entry.path().string(), device);
        }
    }
    std::vector<fs::path> kernelNames;
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        const bool uart = name.rfind("ttyS", 0) == 0 && HasUart(name);
        const bool usb = name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0;
        if ((uart || usb) && IsCharacterDevice(entry.path())) {
            kernelNames.push_back(entry.path());
        }
    }
    std::sort(kernelNames.begin(), kernelNames.end());
    for (const fs::path& path : kernelNames) {
        rowFor(path.string(), DeviceBehind(path));
    }
    const std::map<unsigned, fs::path> links = PortLinks();
    for (const auto& [com, target] : links) {
        // A relative target counts from the folder; an absolute one stays as it is.
        const fs::path where = (fs::path(serial::PortsFolder()) / target).lexically_normal();
        rowFor(where.string(), DeviceBehind(where)).coms.insert(com);
    }
    // Without its link, COMn opens /dev/ttyS(n-1).
    for (Row& row : rows) {
        const std::string prefix = "/dev/ttyS";
        if (row.device.rfind(prefix, 0) != 0) {
            continue;
        }
        std::optional<long> index = ParseNumber(row.device.substr(prefix.size()));
        if (index && *index >= 0 && *index < static_cast<long>(kLastCom) &&
            links.count(static_cast<unsigned>(*index + 1)) == 0) {
            row.coms.insert(static_cast<unsigned>(*index + 1));
        }
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.coms.empty() != b.coms.empty()) {
            return !a.coms.empty();
        }
        return !a.coms.empty() && *a.coms.begin() < *b.coms.begin();
    });
    return rows;
}

std::string ComsText(const std::set<unsigned>& coms) {
    std::string text;
    for (unsigned com : coms) {
        text += (text.empty() ? "COM" : ",COM") + std::to_string(com);
    }
    return text.empty() ? "-" : text;
}

int RunPorts() {
    const std::vector<Row> rows = ListPorts();
    if (rows.empty()) {
        std::fprintf(stderr, "voltscope-cli: no serial devices found\n");
        return kExitOk;
    }
    size_t width = 0;
    for (const Row& row : rows) {
        width = std::max(width, ComsText(row.coms).size());
    }
    for (const Row& row : rows) {
        std::string where = row.shown;
        if (row.device.empty()) {
            where += " (missing)";
        } else if (row.device != row.shown) {
            where += " (" + row.device + ")";
        }
        std::printf("%-*s  %s\n", static_cast<int>(width), ComsText(row.coms).c_str(),
                    where.c_str());
    }
    return kExitOk;
}

Verb AddPorts(CLI::App& app) {
    CLI::App* command = app.add_subcommand(
        "ports",
        "List the serial devices (/dev/serial/by-id, ttyS, ttyUSB, ttyACM, and what the ports "
        "folder links) with the COM number that opens each ('-': none)");
    return {command, RunPorts, false};
}

struct LinkArgs {
    std::string comText;
    unsigned com = 0;
    std::string device;
};

// The stable name of the same device, when the user named its kernel name.
std::optional<std::string> StableNameOf(const std::string& device) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator("/dev/serial/by-id", ec)) {
        if (entry.path() != fs::path(device) && DeviceBehind(entry.path()) == device) {
            return entry.path().string();
        }
    }
    return std::nullopt;
}

int RunLink(const LinkArgs& a) {
    const fs::path link = serial::PortLinkPath(a.com);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(link, ec);
    if (fs::exists(status) && !fs::is_symlink(status)) {
        std::fprintf(stderr, "voltscope-cli: %s is not a link; left as it is\n",
                     link.string().c_str());
        return kExitCannotWrite;
    }
    // Made beside the old link and renamed over it, so COMn always names one device or the
    // other.
    fs::create_directories(link.parent_path(), ec);
    const fs::path fresh = link.string() + ".new";
    fs::remove(fresh, ec);
    fs::create_symlink(a.device, fresh, ec);
    if (!ec) {
        fs::rename(fresh, link, ec);
    }
    if (ec) {
        std::error_code ignored;
        fs::remove(fresh, ignored);
        std::fprintf(stderr, "voltscope-cli: cannot link %s: %s\n", link.string().c_str(),
                     ec.message().c_str());
        return kExitCannotWrite;
    }
    std::printf("COM%u  %s\n", a.com, a.device.c_str());
    if (std::optional<std::string> stable = StableNameOf(a.device)) {
        std::printf("note: %s names this adapter in every USB socket; link that to keep COM%u\n",
                    stable->c_str(), a.com);
    }
    return kExitOk;
}

Verb AddLink(CLI::App& app) {
    auto a = std::make_shared<LinkArgs>();
    CLI::App* command = app.add_subcommand(
        "link", "Make DEVICE the port COMn: the link comN in the ports folder (" +
                    serial::PortsFolder() + "); an old link is replaced");
    command->add_option("COMn", a->comText, "the COM number, e.g. COM3")
        ->required()
        ->check(
            [](const std::string& text) {
                return ParseComNumber(text) ? std::string()
                                            : "takes COM1..COM255, not '" + text + "'";
            },
            "COM1..COM255");
    command->add_option("DEVICE", a->device, "the serial device, e.g. /dev/serial/by-id/...")
        ->required();
    command->callback([a] {
        a->com = static_cast<unsigned>(ParseComNumber(a->comText).value_or(0));
        if (!IsCharacterDevice(a->device)) {
            throw CLI::ValidationError("DEVICE", "not a serial device: " + a->device);
        }
        // A relative name would be taken relative to the ports folder.
        a->device = fs::absolute(a->device).lexically_normal().string();
        if (fs::path(a->device) == fs::path(serial::PortLinkPath(a->com)).lexically_normal()) {
            throw CLI::ValidationError("DEVICE", "the link itself: " + a->device);
        }
    });
    return {command, [a] { return RunLink(*a); }, false};
}

}  // namespace

void AddPortVerbs(CLI::App& app, std::vector<Verb>& verbs) {
    verbs.push_back(AddPorts(app));
    verbs.push_back(AddLink(app));
}

}  // namespace cli
