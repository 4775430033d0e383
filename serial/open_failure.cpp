#include "serial/open_failure.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

namespace serial {
namespace {

// The target of `path` when it is a symbolic link, made absolute against the link's folder.
std::optional<std::string> LinkTarget(const std::string& path) {
    char target[PATH_MAX];
    ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
    if (n < 0) {
        return std::nullopt;
    }
    std::string text(target, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (!text.empty() && text[0] != '/' && slash != std::string::npos) {
        text = path.substr(0, slash + 1) + text;
    }
    return text;
}

std::string UserName(uid_t uid) {
    std::vector<char> buffer(4096);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->pw_name;
    }
    return std::to_string(uid);
}

std::string GroupName(gid_t gid) {
    std::vector<char> buffer(4096);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found) {
        return found->gr_name;
    }
    return std::to_string(gid);
}

bool InGroup(gid_t gid) {
    if (::getegid() == gid) {
        return true;
    }
    int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(count > 0 ? count : 0));
    count = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < count; ++i) {
        if (groups[static_cast<size_t>(i)] == gid) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string PermissionDeniedText(const std::string& device, const DeviceAccess& access) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", access.mode & 07777u);
    std::string text = "permission denied: " + device + " (owner " + access.owner + ", group " +
                       access.group + ", mode " + mode + ")";
    // Only a device of the dialout group opens to its members; for any other, that advice
    // would send the user off to change something that does not help.
    if (access.group == "dialout" && !access.memberOfGroup) {
        text += ": add your user to the dialout group and log in again";
    }
    return text;
}

std::string OpenFailureText(int err, const std::string& path) {
    const std::optional<std::string> target = LinkTarget(path);
    switch (err) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            if (target) {
                return "no such device: " + path + " points to " + *target +
                       ", which does not exist";
            }
            return "no such device: " + path;
        case EACCES:
        case EPERM: {
            const std::string device = target ? path + " -> " + *target : path;
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0) {
                return "permission denied: " + device;
            }
            return PermissionDeniedText(device, {UserName(st.st_uid), GroupName(st.st_gid),
                                                 st.st_mode, InGroup(st.st_gid)});
        }
        case EBUSY:
        case EWOULDBLOCK:
            return "busy: " + path + " is in use by another program";
        default:
            return std::string(std::strerror(err)) + ": " + path;
    }
}

}  // namespace serial
