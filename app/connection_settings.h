#pragma once
// The connection settings in use at the last successful port opening, kept in "conset.kzx" in
// the working directory: a header line, then ",port,baudIndex,parityIndex,addressModeIndex".
#include <optional>
#include <string>
#include <string_view>

inline constexpr char kConnectionSettingsFile[] = "conset.kzx";
inline constexpr char kConnectionSettingsHeader[] = "//VOLTSCOPE 5.0 Connection Settings";

struct ConnectionSettings {
    int portNumber = 1;        // 1..255
    int baudIndex = 4;         // into the baud list: 9600
    int parityIndex = 1;       // 0 NONE, 1 EVEN, 2 ODD
    int addressModeIndex = 0;  // 0 OFF, 1 ON
    bool operator==(const ConnectionSettings&) const = default;
};

enum class SettingsFileState { kLoaded, kMissing, kInvalid };

struct LoadedConnectionSettings {
    SettingsFileState state = SettingsFileState::kMissing;
    ConnectionSettings settings;  // the defaults unless state is kLoaded
};

// The file's text: header, CR LF, the number line without a line end.
std::string FormatConnectionSettings(const ConnectionSettings& settings);

// nullopt for a wrong header, a short file, a number that is missing or out of range.
std::optional<ConnectionSettings> ParseConnectionSettings(std::string_view content);

LoadedConnectionSettings LoadConnectionSettings(const std::string& path = kConnectionSettingsFile);

// Writes a temporary file beside `path` and renames it over `path` only when every byte was
// written. On failure the old file stays as it was and `error` says why. When `path` is a
// symbolic link, the file it leads to is the one written; the link stays.
bool SaveConnectionSettings(const ConnectionSettings& settings, std::string* error = nullptr,
                            const std::string& path = kConnectionSettingsFile);
