// A Get followed by every Set, with nothing edited, leaves the panel exactly as it was; the
// configuration file saved from it holds every register as the panel sent it; and that file,
// uploaded into another panel, makes it hold the same. One table of register contents drives
// every page and every field at once.
#include <map>

#include "app/configuration_file.h"
#include "protocol/derived_values.h"
#include "tests/app/main_window_fixture.h"

namespace {

using namespace testing_support;

struct Contents {
    const char* name;
    uint16_t (*value)(unsigned bank, unsigned reg);
    uint16_t versionWord;  // 10/67: which lists the pages show
};

constexpr uint16_t kVersion411 = 411 | 3 << 10;
constexpr uint16_t kVersionRemoteAuto = 411 | 5 << 10;

// The same value in every register: 0, 1, boundaries, tenths with a fraction, negatives.
template <uint16_t V>
uint16_t Every(unsigned, unsigned) {
    return V;
}
// A different value in every register, so that a value on the wrong register shows.
uint16_t Distinct(unsigned bank, unsigned reg) {
    return static_cast<uint16_t>((bank * 256 + reg) * 37 + 11);
}

const Contents kRows[] = {
    {"0", Every<0>, kVersion411},
    {"1", Every<1>, kVersion411},
    {"27", Every<27>, kVersion411},
    {"29", Every<29>, kVersion411},
    {"255", Every<255>, kVersion411},
    {"256", Every<256>, kVersion411},
    {"32767", Every<32767>, kVersion411},
    {"32768", Every<32768>, kVersion411},
    {"65509", Every<65509>, kVersion411},
    {"65531", Every<65531>, kVersion411},
    {"65535", Every<65535>, kVersion411},
    {"distinct", Distinct, kVersion411},
    {"distinct, remote-auto panel", Distinct, kVersionRemoteAuto},
};

class UneditedRoundTrip : public MainWindowTest {
  protected:
    // A panel of `contents` on COM 5, connected and downloaded.
    void ConnectTo(const Contents& contents) {
        if (Flags().connected) {
            window_.OnConnectButton();  // Disconnect
        }
        auto& panel = StartPanel(5, 411, {.loadDefaults = false});
        for (unsigned bank = 0; bank < 16; ++bank) {
            for (unsigned reg = 0; reg < 256; ++reg) {
                panel.setRegister(bank, reg, contents.value(bank, reg));
            }
        }
        panel.setRegister(10, 67, contents.versionWord);
        panel.setLinkValue(1);  // answers Connect's test; every comm setting may go out
        ResetRequestTotals();   // counted against this panel's log
        YesToEverything();
        InitAndConnect(5);
    }
    void YesToEverything() { prompts_.answers.assign(64, PromptAnswer::kYes); }

    // What the panel held before, for a register the tool wrote.
    static uint16_t Expected(const Contents& contents, unsigned bank, unsigned reg) {
        if (bank == 10 && reg == kMechanismCodeRegister) {
            // The maintenance settings send the code worked out from the full-load current.
            return static_cast<uint16_t>(MechanismCode(contents.value(10, 122)));
        }
        if (bank == 10 && reg == 67) {
            return contents.versionWord;
        }
        return bank == 11 && reg == 239 ? 1 : contents.value(bank, reg);
    }

    // Every register written since the panel's log was last cleared, with its last value.
    std::map<std::pair<unsigned, unsigned>, uint16_t> Written() const {
        std::map<std::pair<unsigned, unsigned>, uint16_t> written;
        for (const sim::Request& r : SeenByPanel()) {
            for (std::size_t k = 0; r.op == sim::Operation::kWrite && k < r.data.size(); ++k) {
                written[{r.bank, r.start + static_cast<unsigned>(k)}] = r.data[k];
            }
        }
        return written;
    }

    void RunEverySet() {
        YesToEverything();
        window_.UploadSettings();
        window_.RegulatorComm().SendSetPointConfig(prompts_);
        window_.Logs().GetQuickMenu(prompts_);
        window_.Logs().SetQuickMenu(prompts_);
        window_.DiagPwdsAlerts().GetActiveAlerts(prompts_);
        window_.DiagPwdsAlerts().AcknowledgeAlerts(prompts_);
        window_.Maintenance().GetMaintenanceSettings(prompts_);
        window_.Maintenance().SetMaintenanceSettings(prompts_);
    }
};

TEST_F(UneditedRoundTrip, EverySetSendsBackWhatTheGetShowedAndTheFileKeepsIt) {
    for (const Contents& row : kRows) {
        ConnectTo(row);
        panel_->clearRequests();
        ResetRequestTotals();
        prompts_.calls.clear();
        RunEverySet();
        for (const sim::Request& r : SeenByPanel()) {
            EXPECT_TRUE(r.answered) << row.name << " " << Describe(r);
        }
        const auto written = Written();
        EXPECT_GT(written.size(), 150u) << row.name;
        for (const auto& [where, value] : written) {
            EXPECT_EQ(value, Expected(row, where.first, where.second))
                << row.name << ": " << where.first << "/" << where.second;
        }
        for (const std::string& caption : prompts_.Captions()) {
            EXPECT_NE(caption, "INCOMPLETE DATA") << row.name;
        }

        prompts_.fileNames = {"panel.kz0"};
        window_.SaveConfigFile();
        const auto values = ParseConfigurationFile(ReadFile("panel.kz0"), nullptr);
        ASSERT_TRUE(values) << row.name;
        std::size_t i = 0;
        for (const ConfigSection& section : ConfigurationFileSections()) {
            for (int b = 0; b < section.blockCount; ++b) {
                const RegisterBlock& block = section.blocks[b];
                for (unsigned reg = block.start; reg < block.start + block.count; ++reg) {
                    EXPECT_EQ((*values)[i++], Expected(row, block.bank, reg))
                        << row.name << ": file " << unsigned{block.bank} << "/" << reg;
                }
            }
        }
    }
}

TEST_F(UneditedRoundTrip, AFileUploadedIntoAnotherPanelMakesItHoldWhatTheFileHolds) {
    const Contents& source = kRows[std::size(kRows) - 2];
    ConnectTo(source);
    prompts_.fileNames = {"panel.kz0"};
    window_.SaveConfigFile();
    window_.OnConnectButton();  // Disconnect

    prompts_.fileNames = {"panel.kz0"};
    window_.OpenConfigFile();
    ConnectTo(kRows[1]);  // FILE ACTIVITY DETECTED: Yes, and every question after it
    const auto written = Written();
    EXPECT_GT(written.size(), 100u);
    for (const auto& [where, value] : written) {
        EXPECT_EQ(value, Expected(source, where.first, where.second))
            << where.first << "/" << where.second;
        EXPECT_EQ(panel_->getRegister(where.first, where.second), value);
    }
}

}  // namespace
