#include "pages/data/log_download.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pages/data/log_clock.h"
#include "pages/data/log_csv.h"
#include "pages/data/log_records.h"
#include "pages/kit/export_file_stamp.h"
#include "pages/kit/panel_action.h"
#include "pages/kit/text_file.h"
#include "protocol/block_tables.h"
#include "protocol/panel_registers.h"
#include "protocol/requests.h"
#include "protocol/value_store.h"

namespace text = log_download_text;

namespace {

constexpr int32_t kLogStartCommand = 49153;  // 0xC001: the next read gives the first record

// One of the panel's two logs: where its start command goes and how a record is read.
template <typename Record>
struct LogKind {
    uint8_t startRegister;
    const RegisterBlock* recordBlocks;
    int recordBlockCount;
    uint8_t recordRegister;
    int recordWords;
    Record (*decode)(const int32_t*, int);
    std::vector<Record>& (*store)();
};

const LogKind<EventLogRecord> kEventLog = {.startRegister = 5,
                                           .recordBlocks = kEventRecordBlock,
                                           .recordBlockCount = kEventRecordReadBlocks,
                                           .recordRegister = 7,
                                           .recordWords = kEventRecordWords,
                                           .decode = DecodeEventRecord,
                                           .store = EventLogStore};
const LogKind<IntervalLogRecord> kIntervalLog = {.startRegister = 41,
                                                 .recordBlocks = kIntervalRecordBlockTable,
                                                 .recordBlockCount = kIntervalRecordReadBlocks,
                                                 .recordRegister = 42,
                                                 .recordWords = kIntervalRecordWords,
                                                 .decode = DecodeIntervalRecord,
                                                 .store = IntervalLogStore};

// The bar advances once for every record read and every row from the third on, and is
// filled up at the end.
class ProgressCount {
  public:
    ProgressCount(UserPrompts& prompts, int total) : prompts_(prompts), total_(total) {}
    void Step() {
        prompts_.StepProgress(1);
        ++count_;
    }
    void Fill() {
        if (count_ < total_) {
            prompts_.StepProgress(total_ - count_);
            count_ = total_;
        }
    }

  private:
    UserPrompts& prompts_;
    int total_;
    int count_ = 0;
};

// Read into values of their own: the store's slots of these registers may hold a choice of
// the Configuration page that is waiting to be sent.
int32_t ReadDateOrder() {
    return ReadRegister(kSettingsBank, kDateOrderRegister);
}

std::time_t Now(const LogDownloadRequest& request) {
    return request.now ? request.now() : std::time(nullptr);
}

struct ReadOptions {
    int count;
    std::optional<LogClockOffset> adjust;
    ProgressCount& progress;
};

// Reads up to `count` records into the store from index 0 and returns how many were read: the
// log ends at a record with ID 0, which stays in the store. Every record is cleared first, so
// nothing of an earlier download shows in this one.
template <typename Record>
std::span<const Record> ReadLog(const LogKind<Record>& log, const ReadOptions& options) {
    std::vector<Record>& store = log.store();
    WriteRegisters(kLogBank, log.startRegister, 1, &kLogStartCommand);
    const int32_t dateOrder = ReadDateOrder();
    const std::vector<int32_t> zeros(static_cast<std::size_t>(log.recordWords), 0);
    std::fill(store.begin(), store.end(), log.decode(zeros.data(), dateOrder));
    std::size_t read = 0;
    while (read < static_cast<std::size_t>(options.count) && read < store.size()) {
        ReadBlockTable(log.recordBlocks, log.recordBlockCount);
        options.progress.Step();
        const int32_t* words = StoreSlots(kLogBank, log.recordRegister);
        Record& record = store[read++] = log.decode(words, dateOrder);
        AdjustedTimeStamp adjusted;
        if (options.adjust &&
            AdjustTimeStamp(*options.adjust, words[1], words[2], dateOrder, adjusted)) {
            record.date = adjusted.date;
            record.time = adjusted.time;
        }
        if (record.id == 0) {
            break;
        }
    }
    // The first two rows are written whatever was read: records not read are the empty ones.
    return std::span<const Record>(store.data(), std::max<std::size_t>(read, 2));
}

}  // namespace

ExportOutcome DownloadLogs(UserPrompts& prompts, const LogDownloadRequest& request) {
    const int events = std::clamp(request.events, 0, kLogRecordCapacity);
    const int intervals = std::clamp(request.intervals, 0, kLogRecordCapacity);
    std::tm local{};
    const std::time_t proposedAt = Now(request);
    localtime_r(&proposedAt, &local);
    const std::string proposedName = ExportFileStamp(local, text::kEnding);
    // Written once everything was read, so a failed write leaves no half file behind.
    const auto readLogs = [&](const std::string&) {
        const int total = 2 * (events + intervals);
        std::string file;
        std::optional<CancellableProgress> window;
        window.emplace(prompts, text::kProgressTitle, text::kProgressText, total);
        {
            WaitCursor wait(prompts);
            ProgressCount progress(prompts, total);
            std::array<int32_t, 2> clock{};  // packed time 10/16, packed date 10/17
            ReadRegisters(kSettingsBank, kClockTimeRegister, 2, clock.data());
            file = LogHeaderText({proposedName, clock[1], clock[0], request.autoAdjust});
            std::optional<LogClockOffset> adjust;
            if (request.autoAdjust) {
                adjust = TakeClockOffset(Now(request), clock[1], clock[0]);
            }
            const auto step = [&progress] { progress.Step(); };
            if (events != 0) {
                file += EventLogText(ReadLog(kEventLog, {events, adjust, progress}), step);
            }
            if (intervals != 0) {
                file += IntervalLogText(ReadLog(kIntervalLog, {intervals, adjust, progress}), step);
            }
            progress.Fill();
            window.reset();
        }
        return file;
    };
    return SaveExport(prompts, {text::kFileTitle, proposedName, text::kExtension, text::kFilter},
                      readLogs);
}
