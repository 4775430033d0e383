#include "pages/data/metering_recording.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "pages/data/metering_fields.h"
#include "pages/data/metering_page.h"
#include "pages/kit/export_file_stamp.h"
#include "protocol/value_store.h"

namespace metering_recording {
namespace {

// Each column is shown by the Metering page's own field, so the recording says what the page
// would have said.
const NumericField& FieldOf(Column column) {
    static const std::array<const NumericField*, kColumns> fields = [] {
        const auto find = [](std::span<const NumericField> table, int id) {
            for (const NumericField& field : table) {
                if (field.id == id) {
                    return &field;
                }
            }
            return static_cast<const NumericField*>(nullptr);
        };
        namespace id = ids::metering;
        const std::span<const NumericField> meter = metering::kMeterFields;
        return std::array<const NumericField*, kColumns>{
            find(meter, id::kVld),
            find(meter, id::kVs),
            find(meter, id::kVcomp),
            find(meter, id::kIld),
            find(meter, id::kPf),
            find(meter, id::kKw),
            find(meter, id::kKvar),
            find(meter, id::kFreq),
            find(metering::kCounterFields, id::kTapPosition)};
    }();
    return *fields[column];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

long long SecondsOf(const std::tm& t) {
    return DaysFromCivil(t.tm_year + 1900LL, static_cast<unsigned>(t.tm_mon + 1),
                         static_cast<unsigned>(t.tm_mday)) *
               86400 +
           t.tm_hour * 3600LL + t.tm_min * 60LL + t.tm_sec;
}

// A number from all of `text` (none from an empty one), or nullopt.
template <typename T>
std::optional<T> ParseAll(std::string_view text) {
    T value{};
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::optional<Row> ParseRow(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != kColumns + 2) {
        return std::nullopt;
    }
    Row row;
    const std::optional<Clock::time_point> time = ParseIsoTime(fields[0]);
    const std::optional<int> unanswered = ParseAll<int>(fields[kColumns + 1]);
    if (!time || !unanswered || *unanswered < 0) {
        return std::nullopt;
    }
    row.time = *time;
    row.unanswered = *unanswered;
    for (int c = 0; c < kColumns; ++c) {
        row.values[static_cast<std::size_t>(c)] =
            std::string(fields[static_cast<std::size_t>(c) + 1]);
        if (!row.values[static_cast<std::size_t>(c)].empty() &&
            !row.Number(static_cast<Column>(c))) {
            return std::nullopt;
        }
    }
    return row;
}

}  // namespace

std::optional<double> Row::Number(Column column) const {
    return ParseAll<double>(values[static_cast<std::size_t>(column)]);
}

Row RowFromStore(Clock::time_point time, int unanswered) {
    Row row;
    row.time = std::chrono::floor<std::chrono::seconds>(time);
    row.unanswered = unanswered;
    for (int c = 0; c < kColumns; ++c) {
        const NumericField& field = FieldOf(static_cast<Column>(c));
        if (SlotHeld(field.reg.bank, field.reg.reg)) {
            row.values[static_cast<std::size_t>(c)] = FieldText(field);
        }
    }
    return row;
}

std::string IsoLocalTime(Clock::time_point time) {
    const std::time_t t = Clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
    std::tm local{};
    localtime_r(&t, &local);
    const long long offset = SecondsOf(local) - static_cast<long long>(t);
    const int minutes = static_cast<int>((offset < 0 ? -offset : offset) / 60 % (24 * 60));
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return text;
}

std::optional<Clock::time_point> ParseIsoTime(std::string_view text) {
    // YYYY-MM-DDTHH:MM:SS+HH:MM, 1970 to 2200: the years the clock's time points hold.
    if (text.size() != 25 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || (text[19] != '+' && text[19] != '-') ||
        text[22] != ':') {
        return std::nullopt;
    }
    const auto part = [text](std::size_t at, std::size_t n) -> std::optional<int> {
        const std::string_view digits = text.substr(at, n);
        if (digits.find_first_not_of("0123456789") != std::string_view::npos) {
            return std::nullopt;
        }
        return ParseAll<int>(digits);
    };
    const auto year = part(0, 4), month = part(5, 2), day = part(8, 2), hour = part(11, 2),
               minute = part(14, 2), second = part(17, 2), offHours = part(20, 2),
               offMinutes = part(23, 2);
    if (!year || !month || !day || !hour || !minute || !second || !offHours || !offMinutes ||
        *year < 1970 || *year > 2200 || *month < 1 || *month > 12 || *day < 1 || *day > 31 ||
        *hour > 23 || *minute > 59 || *second > 60 || *offHours > 23 || *offMinutes > 59) {
        return std::nullopt;
    }
    const long long offset = (*offHours * 3600LL + *offMinutes * 60LL) * (text[19] == '-' ? -1 : 1);
    const long long seconds =
        DaysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day)) * 86400 +
        *hour * 3600LL + *minute * 60LL + *second - offset;
    if (seconds < 0) {
        return std::nullopt;
    }
    return Clock::time_point{std::chrono::seconds(seconds)};
}

std::string RowLine(const Row& row) {
    std::string line = IsoLocalTime(row.time);
    for (const std::string& value : row.values) {
        line += "," + value;
    }
    return line + "," + std::to_string(row.unanswered) + "\n";
}

std::string RecordingText(const std::deque<Row>& rows) {
    std::string text = std::string(kHeader) + "\n";
    for (const Row& row : rows) {
        text += RowLine(row);
    }
    return text;
}

std::optional<std::deque<Row>> ParseRecording(std::string_view text, std::string* error) {
    const std::vector<std::string> lines = SplitLines(text);
    if (lines.empty() || lines[0] != kHeader) {
        *error = std::string("the file ") + kNotARecordingText + " (its first line is not \"" +
                 kHeader + "\")";
        return std::nullopt;
    }
    const bool lastCutOff = !text.empty() && text.back() != '\n';
    std::deque<Row> rows;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::optional<Row> row = ParseRow(lines[i]);
        if (row) {
            rows.push_back(std::move(*row));
        } else if (!(lastCutOff && i + 1 == lines.size())) {
            *error = "line " + std::to_string(i + 1) + " is not a row of a metering recording";
            return std::nullopt;
        }
    }
    return rows;
}

RecordingFile::Opened RecordingFile::Check(const std::string& path, std::string* error) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) > 0) {
        std::ifstream in(path, std::ios::binary);
        std::string first;
        if (!in || !std::getline(in, first)) {
            *error = "cannot read " + path;
            return Opened::kCannotWrite;
        }
        if (!first.empty() && first.back() == '\r') {
            first.pop_back();
        }
        if (first != kHeader) {
            *error = path + " " + kNotARecordingText + " (its first line is not \"" + kHeader +
                     "\"): nothing is added to it";
            return Opened::kNotARecording;
        }
    }
    if (std::string problem = AppendProblem(path); !problem.empty()) {
        *error = std::move(problem);
        return Opened::kCannotWrite;
    }
    return Opened::kYes;
}

namespace {

// Where a recording's whole lines end: its size, or less when a crash cut its last line off.
std::uintmax_t WholeLinesEnd(const std::string& path, std::uintmax_t size) {
    // A row is far shorter than this, so the tail holds the end of the last whole line.
    constexpr std::uintmax_t kTail = 4096;
    const std::uintmax_t from = size > kTail ? size - kTail : 0;
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    std::string tail(static_cast<std::size_t>(size - from), '\0');
    if (!in.read(tail.data(), static_cast<std::streamsize>(tail.size())) || tail.back() == '\n') {
        return size;
    }
    const std::size_t lastEnd = tail.rfind('\n');
    return lastEnd == std::string::npos ? from : from + lastEnd + 1;
}

}  // namespace

RecordingFile::Opened RecordingFile::Open(const std::string& path, std::string* error) {
    if (const Opened checked = Check(path, error); checked != Opened::kYes) {
        return checked;
    }
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    const bool continued = !ec && size > 0;
    if (continued) {
        // A row a crash cut off is no row: the next one starts where it began.
        if (const std::uintmax_t end = WholeLinesEnd(path, size); end != size) {
            std::filesystem::resize_file(path, end, ec);
            if (ec) {
                *error = "cannot write " + path + ": " + ec.message();
                return Opened::kCannotWrite;
            }
        }
    }
    if (!file_.Open(path, error)) {
        return Opened::kCannotWrite;
    }
    if (!continued && !file_.Append(std::string(kHeader) + "\n", error)) {
        return Opened::kCannotWrite;
    }
    return Opened::kYes;
}

bool RecordingFile::Append(const Row& row, std::string* error) {
    return file_.Append(RowLine(row), error);
}

Row RecordCycle(CPPTwo& page, UserPrompts& prompts, const std::function<Clock::time_point()>& now) {
    const int unanswered = page.RefreshCycle(prompts);
    return RowFromStore(now(), unanswered);
}

ExportOutcome SaveRecording(UserPrompts& prompts, const std::deque<Row>& rows) {
    return SaveExport(prompts,
                      {kSaveTitle, ExportFileStamp(kEnding), metering_text::kCsvExtension,
                       metering_text::kCsvFilter},
                      [&rows](const std::string&) { return RecordingText(rows); });
}

std::optional<std::deque<Row>> OpenRecording(UserPrompts& prompts, std::string* path) {
    const std::optional<std::string> chosen = prompts.OpenFileName(
        {kOpenTitle, "", metering_text::kCsvExtension, metering_text::kCsvFilter});
    if (!chosen) {
        return std::nullopt;
    }
    *path = *chosen;
    const std::optional<std::string> text = LoadTextFile(prompts, *chosen, kMaxBytes);
    if (!text) {
        return std::nullopt;
    }
    std::string error;
    std::optional<std::deque<Row>> rows = ParseRecording(*text, &error);
    if (!rows) {
        ShowOk(prompts, "The file could not be opened:\n" + *chosen + "\n" + error,
               kFileNotOpenedCaption, PromptIcon::kWarning);
    }
    return rows;
}

}  // namespace metering_recording
